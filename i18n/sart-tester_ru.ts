<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CertificateCommands</name>
    <message>
        <source>Print the certificate</source>
        <translation>Напечатать сертификат</translation>
    </message>
    <message>
        <source>The certificate</source>
        <translation>Сертификат</translation>
    </message>
    <message>
        <source>%1, certificate %2</source>
        <extracomment>The print preview&apos;s title: %1 the certificate&apos;s English title, %2 its number.</extracomment>
        <translation>%1, сертификат %2</translation>
    </message>
    <message>
        <source>The certificate %1</source>
        <translation>Сертификат %1</translation>
    </message>
    <message>
        <source>Export the certificate to Word</source>
        <translation>Экспортировать сертификат в Word</translation>
    </message>
    <message>
        <source>The certificate %1 is in LibreOffice Writer as the new document &quot;%2&quot;. It is not saved yet: save or print it from Writer.</source>
        <translation>Сертификат %1 открыт в LibreOffice Writer как новый документ «%2». Он ещё не сохранён: сохраните или напечатайте его из Writer.</translation>
    </message>
    <message>
        <source>Save the certificate as PDF</source>
        <translation>Сохранить сертификат в PDF</translation>
    </message>
    <message>
        <source>No record is shown: there is nothing to certify. Choose a record in the file table, open one or receive one first.</source>
        <translation>Запись не показана: оформлять сертификат не на что. Сначала выберите запись в таблице файлов, откройте или примите её.</translation>
    </message>
    <message>
        <source>Save changes first</source>
        <translation>Сначала сохранить изменения</translation>
    </message>
    <message>
        <source>Show the file as it is now</source>
        <translation>Показать файл как есть сейчас</translation>
    </message>
    <message>
        <source>Certify this date</source>
        <translation>Оформить с этой датой</translation>
    </message>
</context>
<context>
    <name>CertificateSigning</name>
    <message>
        <source>Password of the key file %1 (kept in memory until the program ends):</source>
        <translation>Пароль файла ключа %1 (хранится в памяти до закрытия программы):</translation>
    </message>
    <message>
        <source>The certificate %1 is signed before it is saved.</source>
        <translation>Сертификат %1 подписывается перед сохранением.</translation>
    </message>
    <message>
        <source>The certificate %1 was not saved: it could not be signed. %2</source>
        <translation>Сертификат %1 не сохранён: его не удалось подписать. %2</translation>
    </message>
    <message>
        <source>The certificate %1 was not saved: it is signed with the key file %2 (Settings &gt; Certificate signing), and no password was given.</source>
        <translation>Сертификат %1 не сохранён: он подписывается ключом из файла %2 («Настройки &gt; Подпись сертификатов»), а пароль не введён.</translation>
    </message>
    <message>
        <source>Chec&amp;k a certificate...</source>
        <translation>&amp;Проверить сертификат...</translation>
    </message>
    <message>
        <source>Certificate &amp;signing...</source>
        <translation>&amp;Подпись сертификатов...</translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>Usage: %1 --check FILE.pdf [--ca CA.pem] [--archive FOLDER]</source>
        <translation>Использование: %1 --check ФАЙЛ.pdf [--ca CA.pem] [--archive ПАПКА]</translation>
    </message>
    <message>
        <source>Unknown or incomplete argument: %1</source>
        <translation>Неизвестный или неполный аргумент: %1</translation>
    </message>
    <message>
        <source>Certificate %1</source>
        <translation>Сертификат %1</translation>
    </message>
    <message>
        <source>Everything checked holds.</source>
        <translation>Всё проверенное в порядке.</translation>
    </message>
    <message>
        <source>Not everything holds: see PROBLEM above.</source>
        <translation>Не всё в порядке: см. PROBLEM выше.</translation>
    </message>
</context>
<context>
    <name>CommandLinePdf</name>
    <message>
        <source>usage: %1 --print-pdf RECORD PDF --verdict passed|failed</source>
        <translation>использование: %1 --print-pdf ЗАПИСЬ PDF --verdict passed|failed</translation>
    </message>
    <message>
        <source>The verdict must be given: --verdict passed or --verdict failed.</source>
        <translation>Нужно указать заключение: --verdict passed или --verdict failed.</translation>
    </message>
    <message>
        <source>The file %1 exists already: nothing was written.</source>
        <translation>Файл %1 уже существует: ничего не записано.</translation>
    </message>
    <message>
        <source>The verdict cannot be chosen: nothing was written.</source>
        <translation>Не удалось выбрать заключение: ничего не записано.</translation>
    </message>
    <message>
        <source>The certificate of %1 would say &quot;SART PASSED TESTS&quot;, but values are outside the limits of the SART standard:
- %2
Nothing was written.</source>
        <translation>В сертификате по записи %1 было бы сказано «SART PASSED TESTS», но есть значения вне норм стандарта САРТ:
- %2
Ничего не записано.</translation>
    </message>
    <message>
        <source>Certificates were numbered by the register %1; the settings now name the register %2. Issue the next certificate from the window, which asks about the change: nothing was written.</source>
        <translation>Сертификаты нумеровал реестр %1; в настройках теперь указан реестр %2. Выдайте следующий сертификат из окна программы, где будет задан вопрос о смене реестра: ничего не записано.</translation>
    </message>
    <message>
        <source>The certificate %1 was written to %2</source>
        <translation>Сертификат %1 записан в %2</translation>
    </message>
</context>
<context>
    <name>ErrorBox</name>
    <message>
        <source>SART TESTER SOFTWARE</source>
        <translation>ПРОГРАММА ТЕСТЕРА САРТ</translation>
    </message>
</context>
<context>
    <name>FileWritten</name>
    <message>
        <source>%1 was saved as
%2</source>
        <extracomment>%1 starts the sentence: &quot;The certificate 2026-00042&quot;, &quot;The due list&quot;.</extracomment>
        <translation>%1: сохранено как
%2</translation>
    </message>
    <message>
        <source>Open &amp;folder</source>
        <translation>Открыть &amp;папку</translation>
    </message>
    <message>
        <source>The folder %1 could not be opened: the desktop has no file manager set up for folders.</source>
        <translation>Не удалось открыть папку %1: в рабочей среде не настроен файловый менеджер для папок.</translation>
    </message>
</context>
<context>
    <name>Questions</name>
    <message>
        <source>The file %1 already exists.
Do you want to replace it?</source>
        <translation>Файл %1 уже существует.
Заменить его?</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Экспорт в CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>RegisterCommands</name>
    <message>
        <source>The register of certificates %1 does not answer.</source>
        <translation>Реестр сертификатов %1 не отвечает.</translation>
    </message>
    <message>
        <source>SART PASSED TESTS</source>
        <translation>САРТ ПРОШЁЛ ПРОВЕРКУ</translation>
    </message>
    <message>
        <source>SART FAILED TESTS</source>
        <translation>САРТ НЕ ПРОШЁЛ ПРОВЕРКУ</translation>
    </message>
    <message>
        <source>Certificates were numbered by the register %1; this program now numbers with the register %2. You are asked before the first certificate.</source>
        <translation>Сертификаты нумеровал реестр %1; теперь программа нумерует по реестру %2. Перед первым сертификатом будет задан вопрос.</translation>
    </message>
    <message>
        <source>Certificates were numbered by the register %1; this program now numbers with the register %2.

Numbers may repeat numbers given before, and the certificates issued before are not in this register. Settings &gt; Certificate register says where the register is kept.

Go on?</source>
        <translation>Сертификаты нумеровал реестр %1; теперь программа нумерует по реестру %2.

Номера могут повторить выданные ранее, а ранее выданных сертификатов в этом реестре нет. Где хранится реестр, указано в «Настройки &gt; Реестр сертификатов».

Продолжить?</translation>
    </message>
    <message>
        <source>Certificates for the archive %1 are numbered by the register %2 (%3 says so); this program numbers with the register %4.

Two registers give the same numbers: a number may be given twice, to two certificates. When several engineers issue certificates for one archive, they should share one register on the service centre&apos;s PostgreSQL server (Settings &gt; Certificate register).

Number the certificate with %4 all the same?</source>
        <translation>Сертификаты для архива %1 нумерует реестр %2 (так указано в %3); эта программа нумерует по реестру %4.

Два реестра выдают одни и те же номера: один номер может достаться двум сертификатам. Если сертификаты по одному архиву выдают несколько инженеров, им нужен общий реестр на сервере PostgreSQL сервисного центра («Настройки &gt; Реестр сертификатов»).

Всё равно присвоить сертификату номер по реестру %4?</translation>
    </message>
    <message>
        <source>%1

No certificate goes out unless the register keeps it: nothing was issued.</source>
        <translation>%1

Сертификат выдаётся только с записью в реестре: ничего не выдано.</translation>
    </message>
    <message>
        <source>Waiting for the register of certificates %1 to answer...</source>
        <translation>Ожидание ответа реестра сертификатов %1...</translation>
    </message>
    <message>
        <source>Stop waiting</source>
        <translation>Не ждать</translation>
    </message>
    <message>
        <source>Last certificate for this record: %1 of %2, &quot;%3&quot;.</source>
        <translation>Последний сертификат по этой записи: %1 от %2, «%3».</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>S&amp;ave changes</source>
        <translation>&amp;Сохранить изменения</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Открыть</translation>
    </message>
    <message>
        <source>Pa&amp;ge Setup...</source>
        <translation>&amp;Параметры страницы...</translation>
    </message>
    <message>
        <source>Pr&amp;int </source>
        <translation>Пе&amp;чать </translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>Data import</source>
        <translation>Импорт данных</translation>
    </message>
    <message>
        <source>Receiving</source>
        <translation>Приём</translation>
    </message>
    <message>
        <source>Data export</source>
        <translation>Экспорт данных</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Word</translation>
    </message>
    <message>
        <source>PDF...</source>
        <translation>PDF...</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Архив</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Найти...</translation>
    </message>
    <message>
        <source>&amp;Due for test...</source>
        <translation>&amp;Сроки проверки...</translation>
    </message>
    <message>
        <source>&amp;History of this SART...</source>
        <translation>&amp;История этого САРТ...</translation>
    </message>
    <message>
        <source>&amp;Certificates issued...</source>
        <translation>&amp;Выданные сертификаты...</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>SART &amp;limits...</source>
        <translation>&amp;Нормы САРТ...</translation>
    </message>
    <message>
        <source>Certificate &amp;register...</source>
        <translation>&amp;Реестр сертификатов...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Руководство пользователя</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>Перейти к строке</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Сохранить изменения</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Печать</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>The record %1 is no longer listed in the archive.</source>
        <translation>Записи %1 больше нет в списке архива.</translation>
    </message>
</context>
<context>
    <name>WindowNavigationView</name>
    <message>
        <source>The record %1 has changes that are not saved.

Save them before opening a record?</source>
        <translation>В записи %1 есть несохранённые изменения.

Сохранить их перед открытием записи?</translation>
    </message>
    <message>
        <source>The record %1 has changes that are not saved.

Save them before showing another record?</source>
        <translation>В записи %1 есть несохранённые изменения.

Сохранить их перед показом другой записи?</translation>
    </message>
    <message>
        <source>The record %1 has changes that are not saved.

Save them before showing it in the other testing mode?</source>
        <translation>В записи %1 есть несохранённые изменения.

Сохранить их перед показом записи в другом режиме проверки?</translation>
    </message>
    <message>
        <source>The record %1 has changes that are not saved.

Save them before deleting its file?</source>
        <translation>В записи %1 есть несохранённые изменения.

Сохранить их перед удалением её файла?</translation>
    </message>
    <message>
        <source>The record %1 has changes that are not saved.

Save them before closing the program?</source>
        <translation>В записи %1 есть несохранённые изменения.

Сохранить их перед закрытием программы?</translation>
    </message>
    <message>
        <source>The record %1 has changes that are not saved.

Save them before %2?</source>
        <extracomment>%2 is an action already in the language shown (&quot;opening a record&quot;): in Russian in the instrumental case, &quot;перед открытием записи&quot;.</extracomment>
        <translation>В записи %1 есть несохранённые изменения.

Сохранить их перед %2?</translation>
    </message>
    <message>
        <source>The file of the record %1 no longer exists (deleted or moved): there is nothing to save.</source>
        <translation>Файла записи %1 больше нет (удалён или перемещён): сохранять нечего.</translation>
    </message>
    <message>
        <source>The file of the record %1 no longer exists (deleted or moved): there is nothing to print.</source>
        <translation>Файла записи %1 больше нет (удалён или перемещён): печатать нечего.</translation>
    </message>
    <message>
        <source>The file of the record %1 no longer exists (deleted or moved): there is nothing to export.</source>
        <translation>Файла записи %1 больше нет (удалён или перемещён): экспортировать нечего.</translation>
    </message>
    <message>
        <source>The file of the record %1 no longer exists (deleted or moved): there is nothing to save as PDF.</source>
        <translation>Файла записи %1 больше нет (удалён или перемещён): сохранять в PDF нечего.</translation>
    </message>
    <message>
        <source>The received record replaced the record %1: the changes typed for it were not saved.</source>
        <translation>Принятая запись заменила запись %1: набранные для неё изменения не сохранены.</translation>
    </message>
    <message>
        <source>*.bin (*.bin)</source>
        <translation>Записи САРТ (*.bin)</translation>
    </message>
    <message>
        <source>Input File Name</source>
        <translation>Ввод номера строки</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>DELETE FILE?

%1</source>
        <translation>УДАЛИТЬ ФАЙЛ?

%1</translation>
    </message>
    <message>
        <source>The archive already holds a record file named %1.
Replace it with the chosen file?</source>
        <translation>В архиве уже есть файл записи %1.
Заменить его выбранным файлом?</translation>
    </message>
    <message>
        <source>Show it as it is now</source>
        <translation>Показать как есть сейчас</translation>
    </message>
    <message>
        <source>%1

Import the record under this name all the same?</source>
        <translation>%1

Всё равно импортировать запись под этим именем?</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Отбросить</translation>
    </message>
</context>
</TS>

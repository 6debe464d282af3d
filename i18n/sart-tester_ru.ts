<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CertificateCheckDialog</name>
    <message>
        <source>Check of %1</source>
        <translation>Проверка %1</translation>
    </message>
    <message>
        <source>Everything checked holds for %1.</source>
        <translation>Для %1 всё проверенное в порядке.</translation>
    </message>
    <message>
        <source>Not everything holds for %1: see the lines marked with a cross.</source>
        <translation>Для %1 не всё в порядке: см. строки, отмеченные крестиком.</translation>
    </message>
    <message>
        <source>Check a certificate</source>
        <translation>Проверка сертификата</translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;All files (*)</source>
        <translation>Файлы PDF (*.pdf);;Все файлы (*)</translation>
    </message>
</context>
<context>
    <name>FileTableModel</name>
    <message>
        <source>File number</source>
        <translation>№ файла</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Имя файла</translation>
    </message>
    <message>
        <source>Testing date</source>
        <translation>Дата проверки</translation>
    </message>
    <message>
        <source>Computer date</source>
        <translation>Дата на компьютере</translation>
    </message>
    <message>
        <source>Computer time</source>
        <translation>Время на компьютере</translation>
    </message>
</context>
<context>
    <name>FillInBar</name>
    <message>
        <source>&amp;Use these values</source>
        <translation>&amp;Взять эти значения</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Отклонить</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
</context>
<context>
    <name>LimitsDialog</name>
    <message>
        <source> GHz</source>
        <translation> ГГц</translation>
    </message>
    <message>
        <source> µs</source>
        <translation> мкс</translation>
    </message>
    <message>
        <source>In steps of 0.2 µs, as the record holds the duration.</source>
        <translation>Шаг 0,2 мкс — с таким шагом длительность хранится в записи.</translation>
    </message>
    <message>
        <source>SART limits</source>
        <translation>Нормы САРТ</translation>
    </message>
    <message>
        <source>The panel, the archive views and the questions before a certificate goes out mark the values outside these limits. The limits are advisory: they never change the conclusion, the record file or the certificate. National rules differ; the standard&apos;s values can be restored at any time.</source>
        <translation>Панель записи, окна архива и вопросы перед выдачей сертификата отмечают значения вне этих норм. Нормы носят рекомендательный характер: они не меняют ни заключение, ни файл записи, ни сертификат. Национальные правила различаются; значения стандарта можно вернуть в любой момент.</translation>
    </message>
    <message>
        <source> mW</source>
        <translation> мВт</translation>
    </message>
    <message>
        <source>&amp;Battery replacement date not before the testing date</source>
        <translation>Дата замены &amp;батареи не раньше даты проверки</translation>
    </message>
    <message>
        <source>Stand by, Led and Sound beeper &amp;answered &quot;YES&quot;</source>
        <translation>Дежурный режим, светодиод и звуковой сигнал — &amp;ответ «ДА»</translation>
    </message>
    <message>
        <source>Frequency &amp;low at most</source>
        <translation>&amp;Нижняя частота не выше</translation>
    </message>
    <message>
        <source>Frequency &amp;high at least</source>
        <translation>&amp;Верхняя частота не ниже</translation>
    </message>
    <message>
        <source>Emitted &amp;power at least</source>
        <translation>Излучаемая &amp;мощность не менее</translation>
    </message>
    <message>
        <source>Number of frequency &amp;tunings, exactly</source>
        <translation>&amp;Число качаний частоты, ровно</translation>
    </message>
    <message>
        <source>to</source>
        <translation>до</translation>
    </message>
    <message>
        <source>Emitted signal &amp;duration from</source>
        <translation>&amp;Длительность излучаемого сигнала от</translation>
    </message>
    <message>
        <source>&amp;Restore the standard&apos;s values</source>
        <translation>Вернуть значения &amp;стандарта</translation>
    </message>
</context>
<context>
    <name>PanelControls</name>
    <message>
        <source>&quot;@&quot; cannot be typed or pasted here: the record file ends a text at &quot;@&quot;, so Save changes would drop it and everything after it.</source>
        <translation>Символ «@» здесь нельзя ввести или вставить: в файле записи «@» завершает текст, и «Сохранить изменения» отбросит его и всё, что после него.</translation>
    </message>
</context>
<context>
    <name>PanelMarks</name>
    <message>
        <source>Not read from the record %1: this value was in the panel before any record was shown.</source>
        <translation>Не прочитано из записи %1: это значение было на панели ещё до показа какой-либо записи.</translation>
    </message>
    <message>
        <source>Not read from the record %1: carried over from the record %2.</source>
        <translation>Не прочитано из записи %1: перенесено из записи %2.</translation>
    </message>
    <message>
        <source>Not chosen for the record %1: this conclusion was in the panel before any record was shown.</source>
        <translation>Не выбрано для записи %1: это заключение было на панели ещё до показа какой-либо записи.</translation>
    </message>
    <message>
        <source>Not chosen for the record %1: carried over from the record %2.</source>
        <translation>Не выбрано для записи %1: перенесено из записи %2.</translation>
    </message>
</context>
<context>
    <name>Provenance</name>
    <message>
        <source>%1 as it was before it was replaced</source>
        <comment>a record file&apos;s name, said after &quot;the record&quot;</comment>
        <translation>%1 (в прежнем виде, до замены файла)</translation>
    </message>
</context>
<context>
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordNotice</name>
    <message>
        <source>&amp;Show it as it is now</source>
        <translation>&amp;Показать в нынешнем виде</translation>
    </message>
    <message>
        <source>&amp;Re-apply typed values</source>
        <translation>Ве&amp;рнуть набранные значения</translation>
    </message>
    <message>
        <source>Discard them</source>
        <translation>Отбросить их</translation>
    </message>
    <message>
        <source>The values typed for the record %1 before it was shown again are kept.</source>
        <translation>Значения, набранные для записи %1 до её повторного показа, сохранены.</translation>
    </message>
</context>
<context>
    <name>RecordPanel</name>
    <message>
        <source>SART technical characteristics</source>
        <translation>Технические характеристики САРТ</translation>
    </message>
    <message>
        <source>Frequency Range, GHz</source>
        <translation>Диапазон частот, ГГц</translation>
    </message>
    <message>
        <source>Frequency high</source>
        <translation>Верхняя частота</translation>
    </message>
    <message>
        <source>Frequency low</source>
        <translation>Нижняя частота</translation>
    </message>
    <message>
        <source>Emitted Power, mW</source>
        <translation>Излучаемая мощность, мВт</translation>
    </message>
    <message>
        <source>Emitted signal duration, mks</source>
        <translation>Длительность излучаемого сигнала, мкс</translation>
    </message>
    <message>
        <source>Number of frequency tunings in signal</source>
        <translation>Число качаний частоты в сигнале</translation>
    </message>
    <message>
        <source>SART tester setup</source>
        <translation>Настройка тестера САРТ</translation>
    </message>
    <message>
        <source>Frequency repetition, Hz </source>
        <translation>Частота повторения, Гц </translation>
    </message>
    <message>
        <source>Testing mode</source>
        <translation>Режим проверки</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Ручной</translation>
    </message>
    <message>
        <source>Tester emitted signal duration, mks</source>
        <translation>Длительность сигнала тестера, мкс</translation>
    </message>
    <message>
        <source>Battery replacement date</source>
        <translation>Дата замены батареи</translation>
    </message>
    <message>
        <source>SART visual characteristics</source>
        <translation>Внешний осмотр САРТ</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>ДА</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>НЕТ</translation>
    </message>
    <message>
        <source>Stand by</source>
        <translation>Дежурный режим</translation>
    </message>
    <message>
        <source>Led</source>
        <translation>Светодиод</translation>
    </message>
    <message>
        <source>Sound beeper</source>
        <translation>Звуковой сигнал</translation>
    </message>
    <message>
        <source>SART Model</source>
        <translation>Модель САРТ</translation>
    </message>
    <message>
        <source>Manufacturer №</source>
        <translation>Заводской №</translation>
    </message>
    <message>
        <source>Vessel Name</source>
        <translation>Название судна</translation>
    </message>
    <message>
        <source>Next testing date</source>
        <translation>Дата следующей проверки</translation>
    </message>
    <message>
        <source>Testing date</source>
        <translation>Дата проверки</translation>
    </message>
    <message>
        <source>Service center</source>
        <translation>Сервисный центр</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Tel</source>
        <translation>Тел.</translation>
    </message>
    <message>
        <source>Fax</source>
        <translation>Факс</translation>
    </message>
    <message>
        <source>Radioengineer</source>
        <translation>Радиоинженер</translation>
    </message>
    <message>
        <source>Conclusions:</source>
        <translation>Заключение:</translation>
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
        <source>BAD</source>
        <comment>value a record holds as an invalid code</comment>
        <translation>НЕВЕРНО</translation>
    </message>
    <message>
        <source>Not the testing date of the record %1: it was tested on %2. A certificate with this date is made only when asked for in so many words.</source>
        <translation>Это не дата проверки из записи %1: проверка была %2. Сертификат с этой датой оформляется только по прямому указанию.</translation>
    </message>
    <message>
        <source>The file of the record %1 no longer exists: nothing can be saved or certified from it.</source>
        <translation>Файла записи %1 больше нет: сохранить её или оформить по ней сертификат нельзя.</translation>
    </message>
</context>
<context>
    <name>RegisterSettingsDialog</name>
    <message>
        <source>Certificate register</source>
        <translation>Реестр сертификатов</translation>
    </message>
    <message>
        <source>Certificate numbers</source>
        <translation>Номера сертификатов</translation>
    </message>
    <message>
        <source>YYYY: the year of issue; a run of # the sequence, with that many digits at least. With YYYY the sequence starts again each year.</source>
        <translation>YYYY — год выдачи; ряд знаков # — порядковый номер, не меньше чем с таким числом цифр. С YYYY нумерация каждый год начинается заново.</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Формат:</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Пример:</translation>
    </message>
    <message>
        <source>&amp;Print the number on the certificate page and in the Word document</source>
        <translation>&amp;Печатать номер на бланке сертификата и в документе Word</translation>
    </message>
    <message>
        <source>Where the register is kept</source>
        <translation>Где хранится реестр</translation>
    </message>
    <message>
        <source>&amp;SQLite file on this computer</source>
        <translation>Файл &amp;SQLite на этом компьютере</translation>
    </message>
    <message>
        <source>Post&amp;greSQL server of the service centre</source>
        <translation>Сервер Post&amp;greSQL сервисного центра</translation>
    </message>
    <message>
        <source>your login name</source>
        <translation>ваше имя входа в систему</translation>
    </message>
    <message>
        <source>&amp;Host:</source>
        <translation>&amp;Хост:</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>П&amp;орт:</translation>
    </message>
    <message>
        <source>&amp;Database:</source>
        <translation>&amp;База данных:</translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation>По&amp;льзователь:</translation>
    </message>
    <message>
        <source>The password is read from ~/.pgpass or the environment variable PGPASSWORD; the program never asks for it or keeps it.</source>
        <translation>Пароль берётся из ~/.pgpass или переменной окружения PGPASSWORD; программа никогда его не запрашивает и не хранит.</translation>
    </message>
    <message>
        <source>&amp;Test the connection</source>
        <translation>Проверить &amp;соединение</translation>
    </message>
    <message>
        <source>This format cannot number certificates: %1.</source>
        <translation>Этим форматом нумеровать сертификаты нельзя: %1.</translation>
    </message>
    <message>
        <source>The certificate number format &quot;%1&quot; cannot number certificates: %2.</source>
        <translation>Форматом номера «%1» нумеровать сертификаты нельзя: %2.</translation>
    </message>
    <message numerus="yes">
        <source>The register %1 can be written: %n certificates in it.</source>
        <translation>
            <numerusform>В реестр %1 можно записывать: в нём %n сертификат.</numerusform>
            <numerusform>В реестр %1 можно записывать: в нём %n сертификата.</numerusform>
            <numerusform>В реестр %1 можно записывать: в нём %n сертификатов.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SigningSettingsDialog</name>
    <message>
        <source>Certificate signing</source>
        <translation>Подпись сертификатов</translation>
    </message>
    <message>
        <source>With a key file set, every PDF certificate is signed as its last step, so that any change made to it afterwards shows. Leave the key file empty to save certificates unsigned.</source>
        <translation>Если задан файл ключа, каждый сертификат PDF последним шагом подписывается, и любое последующее изменение в нём становится заметно. Оставьте файл ключа пустым, чтобы сохранять сертификаты без подписи.</translation>
    </message>
    <message>
        <source>not signed</source>
        <translation>без подписи</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Обзор...</translation>
    </message>
    <message>
        <source>&amp;Test the key</source>
        <translation>П&amp;роверить ключ</translation>
    </message>
    <message>
        <source>Test the key to see whose certificate it holds.</source>
        <translation>Проверьте ключ, чтобы увидеть, чей в нём сертификат.</translation>
    </message>
    <message>
        <source>Certificates are not signed.</source>
        <translation>Сертификаты не подписываются.</translation>
    </message>
    <message>
        <source>none: signers are not checked against a CA</source>
        <translation>нет: подписавшие не проверяются по УЦ</translation>
    </message>
    <message>
        <source>Bro&amp;wse...</source>
        <translation>Об&amp;зор...</translation>
    </message>
    <message>
        <source>&amp;Draw &quot;Signed by &lt;name&gt;, &lt;date&gt;&quot; at the top of the page</source>
        <translation>&amp;Печатать вверху страницы строку «Signed by &lt;имя&gt;, &lt;дата&gt;»</translation>
    </message>
    <message>
        <source>&amp;Key file (PKCS#12):</source>
        <translation>&amp;Файл ключа (PKCS#12):</translation>
    </message>
    <message>
        <source>Certificate:</source>
        <translation>Сертификат:</translation>
    </message>
    <message>
        <source>&amp;CA file for Check:</source>
        <translation>Файл &amp;УЦ для проверки:</translation>
    </message>
    <message>
        <source>Key file</source>
        <translation>Файл ключа</translation>
    </message>
    <message>
        <source>PKCS#12 key files (*.p12 *.pfx);;All files (*)</source>
        <translation>Файлы ключей PKCS#12 (*.p12 *.pfx);;Все файлы (*)</translation>
    </message>
    <message>
        <source>CA certificate</source>
        <translation>Сертификат УЦ</translation>
    </message>
    <message>
        <source>CA certificates (*.pem *.crt *.cer);;All files (*)</source>
        <translation>Сертификаты УЦ (*.pem *.crt *.cer);;Все файлы (*)</translation>
    </message>
    <message>
        <source>The key file is tested now.</source>
        <translation>Сейчас проверяется файл ключа.</translation>
    </message>
    <message>
        <source>Not tested: no password was given.</source>
        <translation>Не проверено: пароль не введён.</translation>
    </message>
    <message>
        <source>Subject: %1
Issued by: %2
Valid from %3 until %4</source>
        <translation>Владелец: %1
Выдан: %2
Действителен с %3 по %4</translation>
    </message>
    <message>
        <source>The key file can be read by others (mode %1): chmod 600 it.</source>
        <translation>Файл ключа могут читать другие (права %1): выполните chmod 600.</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>Отклонено: %1</translation>
    </message>
    <message>
        <source>no such CA certificate file</source>
        <translation>такого файла сертификата УЦ нет</translation>
    </message>
</context>
<context>
    <name>StartFolder</name>
    <message>
        <source>Cannot make the folder %1 for the records: %2</source>
        <translation>Не удаётся создать папку %1 для записей: %2</translation>
    </message>
    <message>
        <source>Cannot work in the folder %1</source>
        <translation>Не удаётся работать в папке %1</translation>
    </message>
</context>
</TS>

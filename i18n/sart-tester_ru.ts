<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AppError</name>
    <message>
        <source>I/O error %1 (%2)</source>
        <translation>Ошибка ввода-вывода %1 (%2)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» — недопустимое целое число</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid date</source>
        <translation>«%1» — недопустимая дата</translation>
    </message>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>Индекс списка вне границ (%1)</translation>
    </message>
    <message>
        <source>Cannot open file %1</source>
        <translation>Не удаётся открыть файл %1</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Не удаётся создать файл %1</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Файл не найден</translation>
    </message>
    <message>
        <source>File access denied</source>
        <translation>Доступ к файлу запрещён</translation>
    </message>
    <message>
        <source>Read beyond end of file</source>
        <translation>Чтение за концом файла</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Диск заполнен</translation>
    </message>
    <message>
        <source>Range check error</source>
        <translation>Ошибка проверки диапазона</translation>
    </message>
    <message>
        <source>Invalid argument to date encode</source>
        <translation>Недопустимые составляющие даты</translation>
    </message>
    <message>
        <source>Failed to set calendar date or time</source>
        <translation>Не удалось установить дату или время календаря</translation>
    </message>
    <message>
        <source>Grid index out of range</source>
        <translation>Индекс таблицы вне диапазона</translation>
    </message>
    <message>
        <source>not a record file</source>
        <translation>не файл записи</translation>
    </message>
</context>
<context>
    <name>ArchiveRegisterMark</name>
    <message>
        <source>The file %1 should name the register of certificates that numbers for this archive, but %2. Remove it, and the next certificate marks the archive anew.</source>
        <translation>Файл %1 должен указывать реестр сертификатов, который нумерует сертификаты этого архива, но %2. Удалите его, и следующий сертификат отметит архив заново.</translation>
    </message>
    <message>
        <source>it is a link</source>
        <translation>это ссылка</translation>
    </message>
    <message numerus="yes">
        <source>it is not a regular file of at most %n bytes</source>
        <translation>
            <numerusform>это не обычный файл размером не более %n байта</numerusform>
            <numerusform>это не обычный файл размером не более %n байт</numerusform>
            <numerusform>это не обычный файл размером не более %n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>он не читается</translation>
    </message>
    <message>
        <source>it names no register</source>
        <translation>в нём не указан реестр</translation>
    </message>
    <message>
        <source>the mark %1 changed while it was read</source>
        <translation>отметка %1 изменилась во время чтения</translation>
    </message>
</context>
<context>
    <name>ArchiveScan</name>
    <message>
        <source>it does not exist</source>
        <translation>её не существует</translation>
    </message>
    <message>
        <source>it is a link to %1, which does not exist</source>
        <translation>это ссылка на несуществующий путь %1</translation>
    </message>
    <message>
        <source>it is a link to %1, which cannot be followed: %2</source>
        <translation>это ссылка на %1, по которой нельзя перейти: %2</translation>
    </message>
    <message>
        <source>it is a file, not a folder</source>
        <translation>это файл, а не папка</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>это не папка</translation>
    </message>
    <message>
        <source>its list of files cannot be read: %1</source>
        <translation>не удаётся прочитать список её файлов: %1</translation>
    </message>
    <message>
        <source>the files in it cannot be opened (no search permission): %1</source>
        <translation>её файлы нельзя открыть (нет права на поиск в папке): %1</translation>
    </message>
    <message>
        <source>The archive folder %1 cannot be used: %2. No records are listed.</source>
        <translation>Папку архива %1 использовать нельзя: %2. Записи не показаны.</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... и ещё %n</numerusform>
            <numerusform>... и ещё %n</numerusform>
            <numerusform>... и ещё %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Some record files in the archive folder cannot be read and are listed without dates:
</source>
        <translation>Некоторые файлы записей в папке архива не читаются и показаны без дат:
</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>The file %1 already exists.</source>
        <translation>Файл %1 уже существует.</translation>
    </message>
    <message>
        <source>The file system of the folder %1 cannot refuse to replace a file: a file named %2 that appears there while this one is saved would be replaced without a question.</source>
        <translation>Файловая система папки %1 не умеет отказывать в замене файла: файл с именем %2, появившийся там во время этого сохранения, был бы заменён без вопроса.</translation>
    </message>
</context>
<context>
    <name>CertificateCheck</name>
    <message>
        <source>&quot;%1&quot;</source>
        <comment>a value quoted</comment>
        <translation>«%1»</translation>
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
        <source>Emitted Power</source>
        <translation>Излучаемая мощность</translation>
    </message>
    <message>
        <source>Emitted signal duration</source>
        <translation>Длительность излучаемого сигнала</translation>
    </message>
    <message>
        <source>Number of frequency tunings</source>
        <translation>Число качаний частоты</translation>
    </message>
    <message>
        <source>Frequency repetition</source>
        <translation>Частота повторения</translation>
    </message>
    <message>
        <source>Tester emitted signal duration</source>
        <translation>Длительность сигнала тестера</translation>
    </message>
    <message>
        <source>Radioengineer</source>
        <translation>Радиоинженер</translation>
    </message>
    <message>
        <source>Controller</source>
        <translation>Контролёр</translation>
    </message>
    <message>
        <source>SART Model</source>
        <translation>Модель САРТ</translation>
    </message>
    <message>
        <source>Vessel Name</source>
        <translation>Название судна</translation>
    </message>
    <message>
        <source>Service center Name</source>
        <translation>Сервисный центр: название</translation>
    </message>
    <message>
        <source>Service center Address</source>
        <translation>Сервисный центр: адрес</translation>
    </message>
    <message>
        <source>Service center Tel</source>
        <translation>Сервисный центр: телефон</translation>
    </message>
    <message>
        <source>Service center Fax</source>
        <translation>Сервисный центр: факс</translation>
    </message>
    <message>
        <source>Manufacturer №</source>
        <translation>Заводской №</translation>
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
        <source>Next testing date</source>
        <translation>Дата следующей проверки</translation>
    </message>
    <message>
        <source>Testing date</source>
        <translation>Дата проверки</translation>
    </message>
    <message>
        <source>Battery replacement date</source>
        <translation>Дата замены батареи</translation>
    </message>
    <message>
        <source>the record holds none</source>
        <translation>в записи значения нет</translation>
    </message>
    <message>
        <source>the record holds %1</source>
        <translation>в записи: %1</translation>
    </message>
    <message>
        <source>%1 is typed and not saved (%2).</source>
        <translation>%1: введено и не сохранено (%2).</translation>
    </message>
    <message>
        <source>%1 is carried over from the record %2 (%3).</source>
        <translation>%1: перенесено из записи %2 (%3).</translation>
    </message>
    <message>
        <source>The testing date shown, %1, is not the record&apos;s: the record %2 was tested on %3.</source>
        <translation>Показанная дата проверки, %1, не совпадает с записью: по записи %2 проверка была %3.</translation>
    </message>
    <message>
        <source>%1 is not what the file holds now (%2).</source>
        <translation>%1: не совпадает с тем, что сейчас в файле (%2).</translation>
    </message>
    <message>
        <source>The certificate would not say what the record %1 holds:
%2</source>
        <translation>Сертификат не соответствовал бы записи %1:
%2</translation>
    </message>
    <message>
        <source>No record is shown: there is nothing to certify.</source>
        <translation>Запись не показана: оформлять сертификат не на что.</translation>
    </message>
    <message>
        <source>The file of the record %1 cannot be read as a record.</source>
        <translation>Файл записи %1 не читается как запись.</translation>
    </message>
    <message>
        <source>The record %1 cannot be decoded as it is now: %2</source>
        <translation>Запись %1 в её нынешнем виде не расшифровывается: %2</translation>
    </message>
</context>
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
    <name>CertificateEntry</name>
    <message>
        <source>being issued</source>
        <comment>status of an output</comment>
        <translation>выполняется</translation>
    </message>
    <message>
        <source>not completed</source>
        <comment>status of an output</comment>
        <translation>не завершена</translation>
    </message>
    <message>
        <source>issued</source>
        <comment>status of an output</comment>
        <translation>выполнена</translation>
    </message>
    <message>
        <source>Printer %1</source>
        <comment>how a certificate went out</comment>
        <translation>Принтер %1</translation>
    </message>
    <message>
        <source>The record %1 is missing: no file %2 in the archive folder (it was issued from %3).</source>
        <translation>Записи %1 нет: в папке архива нет файла %2 (сертификат выдан по файлу %3).</translation>
    </message>
    <message>
        <source>The record %1 changed since the certificate was issued: its bytes are not those certified (SHA-256 at issue %2).</source>
        <translation>Запись %1 изменилась после выдачи сертификата: её байты не те, что были удостоверены (SHA-256 при выдаче %2).</translation>
    </message>
    <message>
        <source>The record %1 is unchanged since the certificate was issued.</source>
        <translation>Запись %1 не менялась после выдачи сертификата.</translation>
    </message>
</context>
<context>
    <name>CertificateFindings</name>
    <message>
        <source>OK: </source>
        <translation>ВЕРНО: </translation>
    </message>
    <message>
        <source>PROBLEM: </source>
        <translation>ОШИБКА: </translation>
    </message>
    <message>
        <source>NOTE: </source>
        <translation>ПРИМЕЧАНИЕ: </translation>
    </message>
    <message>
        <source>The certificate is not signed: nothing in the file shows whether it was changed.</source>
        <translation>Сертификат не подписан: по файлу нельзя узнать, изменялся ли он.</translation>
    </message>
    <message>
        <source>The signature cannot be checked: %1.</source>
        <translation>Подпись проверить нельзя: %1.</translation>
    </message>
    <message>
        <source>The signature is intact: the signed bytes are as they were signed.</source>
        <translation>Подпись цела: подписанные байты такие же, как при подписании.</translation>
    </message>
    <message>
        <source>The signature is broken: %1.</source>
        <translation>Подпись нарушена: %1.</translation>
    </message>
    <message>
        <source>The signature covers the whole file (%1 bytes).</source>
        <translation>Подпись охватывает весь файл (байт: %1).</translation>
    </message>
    <message>
        <source>The signature covers only the first %1 of the file&apos;s %2 bytes: something was added after it was signed.</source>
        <translation>Подпись охватывает только первые %1 из %2 байт файла: после подписания в него что-то добавлено.</translation>
    </message>
    <message>
        <source>What was added gives the certificate the number %1 in place of the signed %2.</source>
        <translation>Добавленное присваивает сертификату номер %1 вместо подписанного %2.</translation>
    </message>
    <message>
        <source>Signed by %1 (certificate issued by %2) on %3.</source>
        <translation>Подписал %1 (сертификат подписи выдан %2), дата: %3.</translation>
    </message>
    <message>
        <source>an unknown date</source>
        <translation>неизвестна</translation>
    </message>
    <message>
        <source>The signer&apos;s certificate was not valid when it signed (valid from %1 until %2).</source>
        <translation>Сертификат подписавшего не действовал в момент подписания (срок действия с %1 по %2).</translation>
    </message>
    <message>
        <source>The signature names no signer&apos;s certificate.</source>
        <translation>В подписи не указан сертификат подписавшего.</translation>
    </message>
    <message>
        <source>No CA file is named: whether the signer&apos;s certificate comes from your CA was not checked (Settings &gt; Certificate signing; --ca on the command line).</source>
        <translation>Файл УЦ не указан: выдан ли сертификат подписавшего вашим УЦ, не проверялось («Настройки &gt; Подпись сертификатов»; --ca в командной строке).</translation>
    </message>
    <message>
        <source>The signer&apos;s certificate chains to the CA in %1.</source>
        <translation>Сертификат подписавшего восходит к УЦ из файла %1.</translation>
    </message>
    <message>
        <source>The signer&apos;s certificate does not chain to the CA in %1 (%2).</source>
        <translation>Сертификат подписавшего не восходит к УЦ из файла %1 (%2).</translation>
    </message>
    <message>
        <source>The certificate carries no number in its metadata: it cannot be looked up in the register.</source>
        <translation>В метаданных сертификата нет номера: найти его в реестре нельзя.</translation>
    </message>
    <message>
        <source>The register of certificates %1 does not exist: the number %2 cannot be looked up.</source>
        <translation>Реестра сертификатов %1 не существует: номер %2 найти нельзя.</translation>
    </message>
    <message>
        <source>The number %1 is not in the register of certificates %2.</source>
        <translation>Номера %1 нет в реестре сертификатов %2.</translation>
    </message>
    <message>
        <source>The number %1 is in the register %2: issued %3 for the record %4.</source>
        <translation>Номер %1 есть в реестре %2: выдан %3 по записи %4.</translation>
    </message>
    <message>
        <source>The record&apos;s SHA-256 is the one the register keeps.</source>
        <translation>SHA-256 записи совпадает с хранящимся в реестре.</translation>
    </message>
    <message>
        <source>The record&apos;s SHA-256 differs: the certificate says %1, the register %2.</source>
        <translation>SHA-256 записи не совпадает: в сертификате %1, в реестре %2.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>The verdict &quot;%1&quot; is the one the register keeps.</source>
        <translation>Заключение «%1» совпадает с хранящимся в реестре.</translation>
    </message>
    <message>
        <source>The verdict differs: the certificate says &quot;%1&quot;, the register &quot;%2&quot;.</source>
        <translation>Заключение не совпадает: в сертификате «%1», в реестре «%2».</translation>
    </message>
    <message>
        <source>This file is the PDF the register issued under %1 on %2.</source>
        <translation>Этот файл — тот PDF, что выдан по реестру под номером %1, дата выдачи %2.</translation>
    </message>
    <message>
        <source>It was signed on the day it was issued.</source>
        <translation>Он подписан в день выдачи.</translation>
    </message>
    <message>
        <source>It was signed on %1, but issued on %2.</source>
        <translation>Он подписан %1, а выдан %2.</translation>
    </message>
    <message>
        <source>The register issued no PDF file under %1: this file is not one it issued.</source>
        <translation>По реестру под номером %1 файл PDF не выдавался: этот файл выдан не им.</translation>
    </message>
    <message>
        <source>This file is not the PDF the register issued under %1 (on %2): its SHA-256 %3 is not the one kept.</source>
        <translation>Этот файл — не тот PDF, что выдан по реестру под номером %1 (дата выдачи %2): его SHA-256 %3 не совпадает с хранящимся.</translation>
    </message>
    <message>
        <source>No archive folder: the record %1 was not looked for.</source>
        <translation>Папка архива не задана: запись %1 не искали.</translation>
    </message>
    <message>
        <source>The record %1 is not in the archive %2.</source>
        <translation>Записи %1 нет в архиве %2.</translation>
    </message>
    <message>
        <source>The record %1 is in the archive unchanged.</source>
        <translation>Запись %1 есть в архиве и не изменилась.</translation>
    </message>
    <message>
        <source>The record %1 changed since the certificate was issued (its SHA-256 is now %2).</source>
        <translation>Запись %1 изменилась после выдачи сертификата (её SHA-256 теперь %2).</translation>
    </message>
    <message>
        <source>%1 is not a PDF file.</source>
        <translation>%1 — не файл PDF.</translation>
    </message>
</context>
<context>
    <name>CertificatePdf</name>
    <message>
        <source>Save the certificate as PDF</source>
        <translation>Сохранить сертификат в PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Файлы PDF (*.pdf)</translation>
    </message>
    <message>
        <source>The certificate %1</source>
        <translation>Сертификат %1</translation>
    </message>
</context>
<context>
    <name>CertificateQuestions</name>
    <message>
        <source>SART PASSED TESTS</source>
        <translation>САРТ ПРОШЁЛ ПРОВЕРКУ</translation>
    </message>
    <message>
        <source>SART FAILED TESTS</source>
        <translation>САРТ НЕ ПРОШЁЛ ПРОВЕРКУ</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <comment>the last two of a list of field captions</comment>
        <translation>%1 и %2</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between field captions</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 was in the panel before any record was shown</source>
        <comment>%1: one field caption</comment>
        <translation>%1: значение было в панели до показа какой-либо записи</translation>
    </message>
    <message>
        <source>%1 were in the panel before any record was shown</source>
        <comment>%1: several field captions</comment>
        <translation>%1: значения были в панели до показа какой-либо записи</translation>
    </message>
    <message>
        <source>%1 comes from the record %2</source>
        <comment>%1: one field caption</comment>
        <translation>%1: значение взято из записи %2</translation>
    </message>
    <message>
        <source>%1 come from the record %2</source>
        <comment>%1: several field captions</comment>
        <translation>%1: значения взяты из записи %2</translation>
    </message>
    <message>
        <source>The record %1 has no saved header of its own: %2.</source>
        <translation>У записи %1 нет своего сохранённого заголовка: %2.</translation>
    </message>
    <message>
        <source>; </source>
        <comment>between the clauses of one sentence</comment>
        <translation>; </translation>
    </message>
    <message>
        <source>Save changes into the record %1 with these values all the same?</source>
        <translation>Всё равно сохранить изменения в запись %1 с этими значениями?</translation>
    </message>
    <message>
        <source>The testing date is never saved into the record: certify the date shown only if it is the day of the test. The register keeps both dates.</source>
        <translation>Дата проверки в запись не сохраняется: указывайте в сертификате показанную дату, только если проверка была в этот день. Реестр хранит обе даты.</translation>
    </message>
    <message>
        <source>%1: not while the certificate and the record differ.</source>
        <comment>%1: the command, as &quot;Print the certificate&quot;</comment>
        <translation>%1 нельзя, пока сертификат и запись расходятся.</translation>
    </message>
    <message>
        <source>The conclusion &quot;%1&quot; was not chosen for the record %2: it was in the panel before any record was shown.</source>
        <translation>Заключение «%1» выбрано не для записи %2: оно было в панели до показа какой-либо записи.</translation>
    </message>
    <message>
        <source>The conclusion &quot;%1&quot; was not chosen for the record %2: it is carried over from the record %3.</source>
        <translation>Заключение «%1» выбрано не для записи %2: оно перенесено из записи %3.</translation>
    </message>
    <message>
        <source>The certificate says &quot;%1&quot;, but 1 value of the record %2 is outside the limits of the SART standard:</source>
        <translation>В сертификате сказано «%1», но одно значение записи %2 выходит за нормы стандарта САРТ:</translation>
    </message>
    <message numerus="yes">
        <source>The certificate says &quot;%1&quot;, but %n values of the record %2 are outside the limits of the SART standard:</source>
        <translation>
            <numerusform>В сертификате сказано «%1», но %n значение записи %2 выходит за нормы стандарта САРТ:</numerusform>
            <numerusform>В сертификате сказано «%1», но %n значения записи %2 выходят за нормы стандарта САРТ:</numerusform>
            <numerusform>В сертификате сказано «%1», но %n значений записи %2 выходят за нормы стандарта САРТ:</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 with these values all the same?</source>
        <comment>%1: the command, as &quot;Print the certificate&quot;</comment>
        <translation>%1 с этими значениями всё равно?</translation>
    </message>
</context>
<context>
    <name>CertificateRegister</name>
    <message>
        <source>unknown error</source>
        <translation>неизвестная ошибка</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>FIFO</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>символическая ссылка</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>сокет</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>устройство</translation>
    </message>
    <message>
        <source>The register of certificates %1 cannot be used: %2.</source>
        <translation>Реестр сертификатов %1 недоступен: %2.</translation>
    </message>
    <message>
        <source>the server does not answer (no answer within %1 s)</source>
        <translation>сервер не отвечает (нет ответа за %1 с)</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 — не файл</translation>
    </message>
    <message>
        <source>%1 is not a regular file but %2; the register opens none but regular files</source>
        <translation>%1 — не обычный файл, а %2; реестр открывает только обычные файлы</translation>
    </message>
    <message>
        <source>the program&apos;s %1 driver is not installed</source>
        <translation>не установлен драйвер %1, нужный программе</translation>
    </message>
    <message>
        <source>its folder %1 cannot be made</source>
        <translation>не удаётся создать его папку %1</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (schema %1; this version knows %2)</source>
        <translation>он создан более новой версией программы (схема %1; эта версия знает схему %2)</translation>
    </message>
    <message>
        <source>the number format %1 gives only numbers in use</source>
        <translation>формат номера %1 даёт только уже занятые номера</translation>
    </message>
    <message>
        <source>the certificate %1 was made but its entry could not be kept (%2); it was withdrawn</source>
        <translation>сертификат %1 изготовлен, но его запись в реестре сохранить не удалось (%2); сертификат отозван</translation>
    </message>
    <message>
        <source>the certificate %1 was made but its entry could not be kept (%2); write the certificate&apos;s details into the register by hand</source>
        <translation>сертификат %1 изготовлен, но его запись в реестре сохранить не удалось (%2); внесите данные сертификата в реестр вручную</translation>
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
        <translation>Не всё в порядке: см. строки «ОШИБКА» выше.</translation>
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
    <name>DueDialog</name>
    <message numerus="yes">
        <source>OVERDUE by %n d</source>
        <translation>
            <numerusform>ПРОСРОЧЕНО на %n день</numerusform>
            <numerusform>ПРОСРОЧЕНО на %n дня</numerusform>
            <numerusform>ПРОСРОЧЕНО на %n дней</numerusform>
        </translation>
    </message>
    <message>
        <source>today</source>
        <translation>сегодня</translation>
    </message>
    <message numerus="yes">
        <source>in %n d</source>
        <translation>
            <numerusform>через %n день</numerusform>
            <numerusform>через %n дня</numerusform>
            <numerusform>через %n дней</numerusform>
        </translation>
    </message>
    <message>
        <source>Due for test</source>
        <translation>Сроки проверки</translation>
    </message>
    <message>
        <source>Next testing date &amp;within</source>
        <translation>Дата следующей проверки &amp;в течение</translation>
    </message>
    <message>
        <source> days</source>
        <comment>after the number of days</comment>
        <translation> дн.</translation>
    </message>
    <message>
        <source>or passed</source>
        <translation>или уже прошла</translation>
    </message>
    <message>
        <source>Next testing date</source>
        <translation>Дата следующей проверки</translation>
    </message>
    <message>
        <source>Due</source>
        <translation>Срок</translation>
    </message>
    <message>
        <source>Manufacturer&apos;s number</source>
        <translation>Заводской номер</translation>
    </message>
    <message>
        <source>SART model</source>
        <translation>Модель САРТ</translation>
    </message>
    <message>
        <source>Vessel</source>
        <translation>Судно</translation>
    </message>
    <message>
        <source>Last tested</source>
        <translation>Последняя проверка</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Печать...</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>&amp;Экспорт в CSV...</translation>
    </message>
    <message numerus="yes">
        <source>%n SARTs due, %1 of them overdue, as of %2 (reading the archive...)</source>
        <translation>
            <numerusform>%n САРТ к проверке, из них просрочено: %1, на %2 (архив ещё читается...)</numerusform>
            <numerusform>%n САРТ к проверке, из них просрочено: %1, на %2 (архив ещё читается...)</numerusform>
            <numerusform>%n САРТ к проверке, из них просрочено: %1, на %2 (архив ещё читается...)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n SARTs due, %1 of them overdue, as of %2</source>
        <translation>
            <numerusform>%n САРТ к проверке, из них просрочено: %1, на %2</numerusform>
            <numerusform>%n САРТ к проверке, из них просрочено: %1, на %2</numerusform>
            <numerusform>%n САРТ к проверке, из них просрочено: %1, на %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>SARTs due for test within %n days</source>
        <translation>
            <numerusform>САРТ, срок проверки которых наступает в течение %n дня</numerusform>
            <numerusform>САРТ, срок проверки которых наступает в течение %n дней</numerusform>
            <numerusform>САРТ, срок проверки которых наступает в течение %n дней</numerusform>
        </translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Страница %1</translation>
    </message>
    <message>
        <source>The due list</source>
        <translation>Список сроков проверки</translation>
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
    <name>FillIn</name>
    <message>
        <source>%1 %2</source>
        <comment>a field caption and a date</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot;</source>
        <comment>a field caption and its value quoted</comment>
        <translation>%1 «%2»</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between the values offered</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>The latest record of the SART %1 in the archive is %2: %3.</source>
        <translation>Последняя запись САРТ %1 в архиве — %2: %3.</translation>
    </message>
    <message>
        <source>The latest record of the SART %1 in the archive is %2, tested %3: %4.</source>
        <translation>Последняя запись САРТ %1 в архиве — %2, проверка %3: %4.</translation>
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
    <name>FindDialog</name>
    <message>
        <source>Find</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>&amp;Vessel, SART model, manufacturer&apos;s number, file or date:</source>
        <translation>&amp;Судно, модель САРТ, заводской номер, файл или дата:</translation>
    </message>
    <message>
        <source>&amp;Show record</source>
        <translation>&amp;Показать запись</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n records (reading the archive...)</source>
        <translation>
            <numerusform>Найдено %1 из %n записи (архив ещё читается...)</numerusform>
            <numerusform>Найдено %1 из %n записей (архив ещё читается...)</numerusform>
            <numerusform>Найдено %1 из %n записей (архив ещё читается...)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n records</source>
        <translation>
            <numerusform>Найдено %1 из %n записи</numerusform>
            <numerusform>Найдено %1 из %n записей</numerusform>
            <numerusform>Найдено %1 из %n записей</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Searching %n records... (reading the archive...)</source>
        <translation>
            <numerusform>Поиск среди %n записи... (архив ещё читается...)</numerusform>
            <numerusform>Поиск среди %n записей... (архив ещё читается...)</numerusform>
            <numerusform>Поиск среди %n записей... (архив ещё читается...)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Searching %n records...</source>
        <translation>
            <numerusform>Поиск среди %n записи...</numerusform>
            <numerusform>Поиск среди %n записей...</numerusform>
            <numerusform>Поиск среди %n записей...</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Finder</name>
    <message>
        <source>No record is shown: choose a record first, then its history.</source>
        <translation>Запись не показана: сначала выберите запись, затем её историю.</translation>
    </message>
    <message>
        <source>The archive is still being read. Try again in a moment.</source>
        <translation>Архив ещё читается. Повторите чуть позже.</translation>
    </message>
    <message>
        <source>The record %1 is not in the archive index.</source>
        <translation>Записи %1 нет в указателе архива.</translation>
    </message>
    <message>
        <source>The record %1 has no saved manufacturer&apos;s number: save its header first.</source>
        <translation>В записи %1 не сохранён заводской номер: сначала сохраните её заголовок.</translation>
    </message>
</context>
<context>
    <name>FoundModel</name>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Vessel</source>
        <translation>Судно</translation>
    </message>
    <message>
        <source>SART model</source>
        <translation>Модель САРТ</translation>
    </message>
    <message>
        <source>Manufacturer&apos;s number</source>
        <translation>Заводской номер</translation>
    </message>
    <message>
        <source>Testing date</source>
        <translation>Дата проверки</translation>
    </message>
    <message>
        <source>Next testing date</source>
        <translation>Дата следующей проверки</translation>
    </message>
    <message>
        <source>(header not saved)</source>
        <translation>(заголовок не сохранён)</translation>
    </message>
    <message>
        <source>(header unreadable: %1)</source>
        <translation>(заголовок не читается: %1)</translation>
    </message>
</context>
<context>
    <name>GuideWindow</name>
    <message>
        <source>User guide - %1</source>
        <translation>Руководство пользователя - %1</translation>
    </message>
    <message>
        <source>F&amp;ind:</source>
        <translation>&amp;Найти:</translation>
    </message>
    <message>
        <source>a word or phrase; Enter finds the next</source>
        <translation>слово или фраза; Enter — следующее место</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Дальше</translation>
    </message>
    <message>
        <source>P&amp;revious</source>
        <translation>Наз&amp;ад</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Печать...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Не найдено</translation>
    </message>
    <message>
        <source>The user guide</source>
        <translation>Руководство пользователя</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>Testing date</source>
        <translation>Дата проверки</translation>
    </message>
    <message>
        <source>Upper frequency, GHz</source>
        <translation>Верхняя частота, ГГц</translation>
    </message>
    <message>
        <source>Lower frequency, GHz</source>
        <translation>Нижняя частота, ГГц</translation>
    </message>
    <message>
        <source>Power, mW</source>
        <translation>Мощность, мВт</translation>
    </message>
    <message>
        <source>Signal duration, µs</source>
        <translation>Длительность сигнала, мкс</translation>
    </message>
    <message>
        <source>Tunings</source>
        <translation>Качаний</translation>
    </message>
    <message>
        <source>Next testing date</source>
        <translation>Дата следующей проверки</translation>
    </message>
    <message>
        <source>Vessel</source>
        <translation>Судно</translation>
    </message>
    <message>
        <source>Engineer</source>
        <translation>Инженер</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>History of SART %1</source>
        <translation>История САРТ %1</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2
Emitted power %3 mW
Frequency %4 to %5
Signal duration %6, %n tunings</source>
        <translation>
            <numerusform>%1, %2
Излучаемая мощность %3 мВт
Частота от %4 до %5
Длительность сигнала %6, %n качание частоты</numerusform>
            <numerusform>%1, %2
Излучаемая мощность %3 мВт
Частота от %4 до %5
Длительность сигнала %6, %n качания частоты</numerusform>
            <numerusform>%1, %2
Излучаемая мощность %3 мВт
Частота от %4 до %5
Длительность сигнала %6, %n качаний частоты</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Manufacturer&apos;s number %1: %n records (reading the archive...)</source>
        <translation>
            <numerusform>Заводской номер %1: %n запись (архив ещё читается...)</numerusform>
            <numerusform>Заводской номер %1: %n записи (архив ещё читается...)</numerusform>
            <numerusform>Заводской номер %1: %n записей (архив ещё читается...)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Manufacturer&apos;s number %1: %n records</source>
        <translation>
            <numerusform>Заводской номер %1: %n запись</numerusform>
            <numerusform>Заводской номер %1: %n записи</numerusform>
            <numerusform>Заводской номер %1: %n записей</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Manufacturer&apos;s number %1: %n records; %2 on %3 (reading the archive...)</source>
        <translation>
            <numerusform>Заводской номер %1: %n запись; %2 на судне %3 (архив ещё читается...)</numerusform>
            <numerusform>Заводской номер %1: %n записи; %2 на судне %3 (архив ещё читается...)</numerusform>
            <numerusform>Заводской номер %1: %n записей; %2 на судне %3 (архив ещё читается...)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Manufacturer&apos;s number %1: %n records; %2 on %3</source>
        <translation>
            <numerusform>Заводской номер %1: %n запись; %2 на судне %3</numerusform>
            <numerusform>Заводской номер %1: %n записи; %2 на судне %3</numerusform>
            <numerusform>Заводской номер %1: %n записей; %2 на судне %3</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistoryPlot</name>
    <message>
        <source>No dated records to plot</source>
        <translation>Нет записей с датой для графика</translation>
    </message>
    <message>
        <source>Emitted power, mW</source>
        <translation>Излучаемая мощность, мВт</translation>
    </message>
    <message>
        <source>Frequency range, GHz</source>
        <translation>Диапазон частот, ГГц</translation>
    </message>
    <message>
        <source>limit: at least %1 mW</source>
        <translation>норма: не менее %1 мВт</translation>
    </message>
    <message>
        <source>band to cover: %1 to %2</source>
        <translation>требуемая полоса: от %1 до %2</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>Lan&amp;guage</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>русский</translation>
    </message>
    <message>
        <source>English</source>
        <translation>английский</translation>
    </message>
    <message>
        <source>System (%1)</source>
        <comment>the system&apos;s language</comment>
        <translation>Системный (%1)</translation>
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
    <name>Navigation</name>
    <message>
        <source>The record %1 is no longer in the archive: it was removed by another program.</source>
        <translation>Записи %1 больше нет в архиве: её удалила другая программа.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Ничего не записано.</translation>
    </message>
    <message>
        <source>Save over it</source>
        <translation>Записать поверх</translation>
    </message>
    <message>
        <source>No record is shown: there is nothing to save.</source>
        <translation>Запись не показана: сохранять нечего.</translation>
    </message>
    <message>
        <source>No record is shown: there is nothing to delete.</source>
        <translation>Запись не показана: удалять нечего.</translation>
    </message>
    <message>
        <source>The record %1 is not listed in the archive: there is nothing to save.</source>
        <translation>Записи %1 нет в списке архива: сохранять нечего.</translation>
    </message>
    <message>
        <source>The record %1 is not listed in the archive: there is nothing to delete.</source>
        <translation>Записи %1 нет в списке архива: удалять нечего.</translation>
    </message>
    <message>
        <source>The current row of the file table is not the record %1. Select its row first, then save again.</source>
        <translation>Текущая строка таблицы файлов — не запись %1. Сначала выделите её строку, затем сохраните снова.</translation>
    </message>
    <message>
        <source>The current row of the file table is not the record %1. Select its row first, then delete again.</source>
        <translation>Текущая строка таблицы файлов — не запись %1. Сначала выделите её строку, затем удалите снова.</translation>
    </message>
    <message>
        <source>The record %1 was already removed by another program.</source>
        <translation>Запись %1 уже удалена другой программой.</translation>
    </message>
    <message>
        <source>Nothing was deleted.</source>
        <translation>Ничего не удалено.</translation>
    </message>
    <message>
        <source>Delete it anyway</source>
        <translation>Всё равно удалить</translation>
    </message>
    <message>
        <source>Cannot delete file %1: %2</source>
        <translation>Не удаётся удалить файл %1: %2</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>a symbolic link</source>
        <translation>символическая ссылка</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>a FIFO (named pipe)</source>
        <translation>FIFO (именованный канал)</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>устройство</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>сокет</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>не обычный файл</translation>
    </message>
    <message>
        <source>this is %1, not a file; it is left as it is. Choose another name</source>
        <translation>здесь %1, а не файл; оно оставлено как есть. Выберите другое имя</translation>
    </message>
    <message>
        <source>the file was not written whole (is the disk full?)</source>
        <translation>файл записан не полностью (диск заполнен?)</translation>
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
    <name>PdfSignatureCheck</name>
    <message>
        <source>unknown reason</source>
        <translation>причина неизвестна</translation>
    </message>
    <message>
        <source>the file is %1 bytes long but the signature covers %2 bytes: it was cut short</source>
        <translation>размер файла %1 байт, а подпись охватывает %2 байт: файл обрезан</translation>
    </message>
    <message>
        <source>the signature&apos;s byte range [%1 %2 %3 %4] is not one a signature leaves</source>
        <translation>диапазон байтов подписи [%1 %2 %3 %4] не такой, какой оставляет подпись</translation>
    </message>
    <message>
        <source>the bytes the signature leaves out are not only the signature</source>
        <translation>в байтах, не охваченных подписью, есть не только сама подпись</translation>
    </message>
    <message>
        <source>the signature cannot be read (%1)</source>
        <translation>подпись не читается (%1)</translation>
    </message>
    <message>
        <source>the signed bytes were changed after signing (digest mismatch)</source>
        <translation>подписанные байты изменены после подписания (не совпадает хеш)</translation>
    </message>
    <message>
        <source>the signature does not verify (%1)</source>
        <translation>подпись не проходит проверку (%1)</translation>
    </message>
    <message>
        <source>no such CA certificate file</source>
        <translation>нет такого файла сертификата УЦ</translation>
    </message>
    <message>
        <source>not a CA certificate file in PEM (%1)</source>
        <translation>это не файл сертификата УЦ в формате PEM (%1)</translation>
    </message>
</context>
<context>
    <name>PdfSigner</name>
    <message>
        <source>The PDF to sign has no page.</source>
        <translation>В PDF для подписи нет ни одной страницы.</translation>
    </message>
    <message>
        <source>The signature&apos;s place was not found in the PDF written.</source>
        <translation>В записанном PDF не найдено место для подписи.</translation>
    </message>
    <message>
        <source>The signature (%1 bytes) is larger than the room kept for it.</source>
        <translation>Подпись (байт: %1) больше оставленного для неё места.</translation>
    </message>
    <message>
        <source>The certificate&apos;s PDF could not be signed: %1 (PDF library error %2).</source>
        <translation>PDF сертификата подписать не удалось: %1 (ошибка библиотеки PDF %2).</translation>
    </message>
</context>
<context>
    <name>PortNames</name>
    <message>
        <source>%1 is not a port name (COM1 to COM8)</source>
        <translation>%1 — не имя порта (COM1–COM8)</translation>
    </message>
    <message>
        <source>Cannot create the ports folder %1: %2</source>
        <translation>Не удаётся создать папку портов %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a link: the program replaces only the links it makes. Move it elsewhere, then give the name %2 again</source>
        <translation>%1 — не ссылка: программа заменяет только созданные ею ссылки. Перенесите его в другое место и снова назначьте имя %2</translation>
    </message>
    <message>
        <source>Cannot write the link %1: %2</source>
        <translation>Не удаётся записать ссылку %1: %2</translation>
    </message>
    <message>
        <source>not a serial device</source>
        <comment>what lies at the path</comment>
        <translation>не последовательное устройство</translation>
    </message>
    <message>
        <source>a regular file</source>
        <translation>обычный файл</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>a FIFO (named pipe)</source>
        <translation>FIFO (именованный канал)</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>сокет</translation>
    </message>
    <message>
        <source>a device that is not a serial port</source>
        <translation>устройство, не являющееся последовательным портом</translation>
    </message>
    <message>
        <source>Cannot open the port %1 (%2): it is %3, not a serial device. Point %1 at a serial device with a link in %4</source>
        <translation>Не удаётся открыть порт %1 (%2): это %3, а не последовательное устройство. Направьте %1 на последовательное устройство ссылкой в %4</translation>
    </message>
    <message>
        <source>Cannot open the port %1 (%2): %3. The device belongs to the group &quot;%4&quot;: your user must be a member of that group (for example: sudo usermod -aG %4 $USER) and log in again</source>
        <translation>Не удаётся открыть порт %1 (%2): %3. Устройство принадлежит группе «%4»: ваш пользователь должен входить в эту группу (например: sudo usermod -aG %4 $USER), затем нужно заново войти в систему</translation>
    </message>
    <message>
        <source>Cannot open the port %1 (%2): %3. Your user may not use this device, and it belongs to no group of serial devices (such as &quot;dialout&quot;) that a user could join: check that %1 stands for the right device, with a link in %4</source>
        <translation>Не удаётся открыть порт %1 (%2): %3. Вашему пользователю нельзя использовать это устройство, и оно не принадлежит ни одной группе последовательных устройств (например, «dialout»), в которую можно вступить: проверьте, что %1 обозначает нужное устройство, по ссылке в %4</translation>
    </message>
    <message>
        <source>Cannot open the port %1 (%2): %3. Another program is using it</source>
        <translation>Не удаётся открыть порт %1 (%2): %3. Его занимает другая программа</translation>
    </message>
    <message>
        <source>Cannot open the port %1 (%2): %3. Check that the adapter is plugged in, or point %1 at the right device with a link in %4</source>
        <translation>Не удаётся открыть порт %1 (%2): %3. Проверьте, подключён ли адаптер, или направьте %1 на нужное устройство ссылкой в %4</translation>
    </message>
    <message>
        <source>Cannot open the port %1 (%2): %3</source>
        <translation>Не удаётся открыть порт %1 (%2): %3</translation>
    </message>
</context>
<context>
    <name>ProgramSettings</name>
    <message>
        <source>The settings file %1 cannot be read: it is not a regular file of at most %2 bytes.</source>
        <translation>Файл настроек %1 не читается: это не обычный файл размером не более %2 байт.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: %2.</source>
        <translation>Файл настроек %1 не читается: %2.</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: its lock file %1.lock is not a regular file.</source>
        <translation>Файл настроек %1 не читается: его файл блокировки %1.lock — не обычный файл.</translation>
    </message>
</context>
<context>
    <name>Provenance</name>
    <message>
        <source>%1 as it was before it was replaced</source>
        <comment>a record file&apos;s name; goes where a record&apos;s name goes</comment>
        <translation>%1 (какой она была до замены)</translation>
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
    <name>Reception</name>
    <message>
        <source>The connection to the SART tester was lost before it answered the start request. Nothing was saved. Check that the tester is switched on and connected, then start the data import again</source>
        <translation>Связь с тестером САРТ потеряна до ответа на запрос начала передачи. Ничего не сохранено. Проверьте, что тестер включён и подключён, и снова запустите импорт данных</translation>
    </message>
    <message>
        <source>The connection to the SART tester was lost after the last byte, before the record could be checked. Nothing was saved. Check that the tester is switched on and connected, then start the data import again</source>
        <translation>Связь с тестером САРТ потеряна после последнего байта, до проверки записи. Ничего не сохранено. Проверьте, что тестер включён и подключён, и снова запустите импорт данных</translation>
    </message>
    <message>
        <source>The connection to the SART tester was lost at byte %1 of %2. Nothing was saved. Check that the tester is switched on and connected, then start the data import again</source>
        <translation>Связь с тестером САРТ потеряна на байте %1 из %2. Ничего не сохранено. Проверьте, что тестер включён и подключён, и снова запустите импорт данных</translation>
    </message>
    <message>
        <source>No answer from the SART tester. Check that the tester is switched on and connected, and that the port and the port rate are right</source>
        <translation>Тестер САРТ не отвечает. Проверьте, что тестер включён и подключён, и что порт и скорость порта выбраны верно</translation>
    </message>
    <message>
        <source>The SART tester answered the start request with more than one byte. Check the port rate and start the data import again</source>
        <translation>Тестер САРТ ответил на запрос начала передачи больше чем одним байтом. Проверьте скорость порта и снова запустите импорт данных</translation>
    </message>
    <message>
        <source>Receiving ERROR</source>
        <translation>ОШИБКА приёма</translation>
    </message>
</context>
<context>
    <name>RecordFile</name>
    <message>
        <source>a folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>именованный канал</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>символьное устройство</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>блочное устройство</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>сокет</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>не обычный файл</translation>
    </message>
    <message>
        <source>%1: it holds %2 bytes, far more than the %3 bytes of a record</source>
        <translation>%1: в нём %2 байт, намного больше, чем %3 байт записи</translation>
    </message>
</context>
<context>
    <name>RecordImport</name>
    <message>
        <source>Cannot import %1: %2</source>
        <translation>Не удаётся импортировать %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n files in its folder have names that look alike (%1); rename them first</source>
        <translation>
            <numerusform>в его папке %n файл с похожими именами (%1); сначала переименуйте их</numerusform>
            <numerusform>в его папке %n файла с похожими именами (%1); сначала переименуйте их</numerusform>
            <numerusform>в его папке %n файлов с похожими именами (%1); сначала переименуйте их</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>it holds %n bytes, too few for a record of %1</source>
        <translation>
            <numerusform>в нём %n байт — слишком мало для записи из %1 байт</numerusform>
            <numerusform>в нём %n байта — слишком мало для записи из %1 байт</numerusform>
            <numerusform>в нём %n байт — слишком мало для записи из %1 байт</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecordLock</name>
    <message>
        <source>a pipe (FIFO)</source>
        <translation>канал (FIFO)</translation>
    </message>
    <message>
        <source>a link</source>
        <translation>ссылка</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>сокет</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>устройство</translation>
    </message>
    <message>
        <source>another program</source>
        <translation>другая программа</translation>
    </message>
    <message>
        <source>another program (process %1 on %2)</source>
        <translation>другая программа (процесс %1 на %2)</translation>
    </message>
    <message>
        <source>Cannot save the record %1: the archive folder holds %2 named %3 where this program keeps its lock file. Nothing was changed. Remove %4 and try again.</source>
        <translation>Не удаётся сохранить запись %1: в папке архива на месте файла блокировки этой программы лежит %2 с именем %3. Ничего не изменено. Удалите %4 и повторите.</translation>
    </message>
    <message>
        <source>Cannot delete the record %1: the archive folder holds %2 named %3 where this program keeps its lock file. Nothing was changed. Remove %4 and try again.</source>
        <translation>Не удаётся удалить запись %1: в папке архива на месте файла блокировки этой программы лежит %2 с именем %3. Ничего не изменено. Удалите %4 и повторите.</translation>
    </message>
    <message>
        <source>Cannot save the record %1 now: %2 is saving into the archive and has held its lock file %3 for more than %4 seconds. Nothing was changed; try again in a moment. If no other program works on this archive, remove %3.</source>
        <translation>Сейчас не удаётся сохранить запись %1: %2 записывает в архив и держит файл блокировки %3 дольше %4 с. Ничего не изменено; повторите через минуту. Если с этим архивом больше не работает ни одна программа, удалите %3.</translation>
    </message>
    <message>
        <source>Cannot delete the record %1 now: %2 is saving into the archive and has held its lock file %3 for more than %4 seconds. Nothing was changed; try again in a moment. If no other program works on this archive, remove %3.</source>
        <translation>Сейчас не удаётся удалить запись %1: %2 записывает в архив и держит файл блокировки %3 дольше %4 с. Ничего не изменено; повторите через минуту. Если с этим архивом больше не работает ни одна программа, удалите %3.</translation>
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
    <name>RecordState</name>
    <message>
        <source>The record %1 was changed by another program after it was shown: its header now holds other values.</source>
        <translation>Запись %1 изменена другой программой после показа: в её заголовке теперь другие значения.</translation>
    </message>
    <message>
        <source>The record %1 was replaced after it was shown by a file that is not a record.</source>
        <translation>Запись %1 после показа заменена файлом, который не является записью.</translation>
    </message>
    <message>
        <source>The record %1 was replaced by another record after it was shown: its measured values are not the ones shown.</source>
        <translation>Запись %1 после показа заменена другой записью: её измеренные значения не те, что были показаны.</translation>
    </message>
    <message>
        <source>The record %1 was removed by another program after it was shown.</source>
        <translation>Запись %1 удалена другой программой после показа.</translation>
    </message>
</context>
<context>
    <name>RegisterColumns</name>
    <message>
        <source>Number</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Issued</source>
        <translation>Выдан</translation>
    </message>
    <message>
        <source>How</source>
        <translation>Как</translation>
    </message>
    <message>
        <source>Record file</source>
        <translation>Файл записи</translation>
    </message>
    <message>
        <source>SART model</source>
        <translation>Модель САРТ</translation>
    </message>
    <message>
        <source>Manufacturer №</source>
        <translation>Заводской №</translation>
    </message>
    <message>
        <source>Vessel</source>
        <translation>Судно</translation>
    </message>
    <message>
        <source>Testing date</source>
        <translation>Дата проверки</translation>
    </message>
    <message>
        <source>Next testing</source>
        <translation>След. проверка</translation>
    </message>
    <message>
        <source>Battery date</source>
        <translation>Замена батареи</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Заключение</translation>
    </message>
    <message>
        <source>Outside the limits</source>
        <translation>Вне норм</translation>
    </message>
    <message>
        <source>Engineer</source>
        <translation>Инженер</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>Record SHA-256</source>
        <translation>SHA-256 записи</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Выдачи</translation>
    </message>
    <message>
        <source>Not completed</source>
        <translation>Не завершены</translation>
    </message>
    <message>
        <source>Record&apos;s testing date</source>
        <translation>Дата проверки в записи</translation>
    </message>
    <message>
        <source>Record in the archive</source>
        <translation>Запись в архиве</translation>
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
    <name>RegisterDialog</name>
    <message>
        <source>any</source>
        <comment>no date limit</comment>
        <translation>любая</translation>
    </message>
    <message>
        <source>Certificates issued</source>
        <translation>Выданные сертификаты</translation>
    </message>
    <message>
        <source>&amp;Number, vessel, SART model, manufacturer&apos;s number, record, engineer:</source>
        <translation>&amp;Номер, судно, модель САРТ, заводской номер, запись, инженер:</translation>
    </message>
    <message>
        <source>Issued &amp;from:</source>
        <translation>Выдан &amp;с:</translation>
    </message>
    <message>
        <source>&amp;to:</source>
        <translation>п&amp;о:</translation>
    </message>
    <message>
        <source>&amp;Verify</source>
        <translation>С&amp;верить</translation>
    </message>
    <message>
        <source>&amp;Export CSV...</source>
        <translation>&amp;Экспорт в CSV...</translation>
    </message>
    <message>
        <source>&amp;Show record</source>
        <translation>&amp;Показать запись</translation>
    </message>
    <message>
        <source>Verifying the records...</source>
        <translation>Сверка записей...</translation>
    </message>
    <message numerus="yes">
        <source>Verified: the records of all %n certificates are unchanged.</source>
        <translation>
            <numerusform>Сверен %n сертификат: записи не изменились.</numerusform>
            <numerusform>Сверено %n сертификата: записи не изменились.</numerusform>
            <numerusform>Сверено %n сертификатов: записи не изменились.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Verified %n certificates: %1 with the record changed since issue (marked violet), %2 with the record missing (marked grey).</source>
        <translation>
            <numerusform>Сверен %n сертификат: запись изменилась после выдачи — %1 (отмечены фиолетовым), запись отсутствует — %2 (отмечены серым).</numerusform>
            <numerusform>Сверено %n сертификата: запись изменилась после выдачи — %1 (отмечены фиолетовым), запись отсутствует — %2 (отмечены серым).</numerusform>
            <numerusform>Сверено %n сертификатов: запись изменилась после выдачи — %1 (отмечены фиолетовым), запись отсутствует — %2 (отмечены серым).</numerusform>
        </translation>
    </message>
    <message>
        <source>Searching the register...</source>
        <translation>Поиск в реестре...</translation>
    </message>
    <message numerus="yes">
        <source>%n certificates, %1 of them with an output not completed (in dark red)</source>
        <translation>
            <numerusform>%n сертификат, из них с незавершённой выдачей: %1 (тёмно-красные)</numerusform>
            <numerusform>%n сертификата, из них с незавершённой выдачей: %1 (тёмно-красные)</numerusform>
            <numerusform>%n сертификатов, из них с незавершённой выдачей: %1 (тёмно-красные)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n certificates</source>
        <translation>
            <numerusform>%n сертификат</numerusform>
            <numerusform>%n сертификата</numerusform>
            <numerusform>%n сертификатов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The list of %n certificates</source>
        <translation>
            <numerusform>Список из %n сертификата</numerusform>
            <numerusform>Список из %n сертификатов</numerusform>
            <numerusform>Список из %n сертификатов</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RegisterModel</name>
    <message numerus="yes">
        <source>%n of its outputs not completed: it may not have gone out.</source>
        <translation>
            <numerusform>%n выдача не завершена: сертификат, возможно, не был выдан.</numerusform>
            <numerusform>%n выдачи не завершены: сертификат, возможно, не был выдан.</numerusform>
            <numerusform>%n выдач не завершено: сертификат, возможно, не был выдан.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RegisterSettings</name>
    <message>
        <source>The settings file %1 cannot be read: it is not in the form of a settings file.</source>
        <translation>Файл настроек %1 не читается: он не в формате файла настроек.</translation>
    </message>
    <message>
        <source>The settings file %1 gives the certificate number format &quot;%2&quot;, which cannot number certificates: %3.</source>
        <translation>В файле настроек %1 указан формат номера сертификата «%2», которым нумеровать нельзя: %3.</translation>
    </message>
    <message>
        <source>The settings file %1 names the register engine &quot;%2&quot;, which this program does not know: it keeps the register in SQLite or PostgreSQL.</source>
        <translation>В файле настроек %1 указан механизм реестра «%2», незнакомый программе: она хранит реестр в SQLite или PostgreSQL.</translation>
    </message>
    <message>
        <source>The settings file %1 gives the register&apos;s server the port &quot;%2&quot;, which is no port number.</source>
        <translation>В файле настроек %1 для сервера реестра указан порт «%2» — это не номер порта.</translation>
    </message>
    <message>
        <source>No certificate is numbered until Settings &gt; Certificate register says how.</source>
        <translation>Сертификаты не нумеруются, пока это не задано в «Настройки &gt; Реестр сертификатов».</translation>
    </message>
    <message>
        <source>No certificate is numbered until it can be read: the register it names is not known.</source>
        <translation>Сертификаты не нумеруются, пока его нельзя прочитать: неизвестно, какой реестр в нём указан.</translation>
    </message>
    <message>
        <source>The register settings could not be kept in %1.</source>
        <translation>Настройки реестра не удалось сохранить в %1.</translation>
    </message>
    <message>
        <source>it holds a broken character</source>
        <translation>в нём испорченный символ</translation>
    </message>
    <message>
        <source>it holds a control character or a line break</source>
        <translation>в нём управляющий символ или перевод строки</translation>
    </message>
    <message>
        <source>it needs a run of # for the sequence, for example YYYY-#####</source>
        <translation>для порядкового номера нужен ряд знаков #, например YYYY-#####</translation>
    </message>
    <message>
        <source>it has more than one run of #, and only one can stand for the sequence</source>
        <translation>в нём несколько рядов знаков #, а порядковый номер обозначает только один</translation>
    </message>
    <message numerus="yes">
        <source>it is longer than %n characters</source>
        <translation>
            <numerusform>он длиннее %n символа</numerusform>
            <numerusform>он длиннее %n символов</numerusform>
            <numerusform>он длиннее %n символов</numerusform>
        </translation>
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
    <message numerus="yes">
        <source>The register %1 can be written: %n certificates in it.</source>
        <translation>
            <numerusform>В реестр %1 можно записывать: в нём %n сертификат.</numerusform>
            <numerusform>В реестр %1 можно записывать: в нём %n сертификата.</numerusform>
            <numerusform>В реестр %1 можно записывать: в нём %n сертификатов.</numerusform>
        </translation>
    </message>
    <message>
        <source>The certificate number format &quot;%1&quot; cannot number certificates: %2.</source>
        <translation>Форматом номера «%1» нумеровать сертификаты нельзя: %2.</translation>
    </message>
</context>
<context>
    <name>RowsModel</name>
    <message>
        <source>Outside the limits of the SART standard:
%1</source>
        <translation>Вне норм стандарта САРТ:
%1</translation>
    </message>
    <message>
        <source>Outside limits</source>
        <translation>Вне норм</translation>
    </message>
</context>
<context>
    <name>SartLimits</name>
    <message>
        <source>Frequency high</source>
        <translation>Верхняя частота</translation>
    </message>
    <message>
        <source>Frequency low</source>
        <translation>Нижняя частота</translation>
    </message>
    <message>
        <source>Emitted power</source>
        <translation>Излучаемая мощность</translation>
    </message>
    <message>
        <source>Emitted signal duration</source>
        <translation>Длительность излучаемого сигнала</translation>
    </message>
    <message>
        <source>Number of frequency tunings</source>
        <translation>Число качаний частоты</translation>
    </message>
    <message>
        <source>Battery replacement date</source>
        <translation>Дата замены батареи</translation>
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
        <source>%1 GHz</source>
        <translation>%1 ГГц</translation>
    </message>
    <message>
        <source>%1 µs</source>
        <translation>%1 мкс</translation>
    </message>
    <message>
        <source>%1 mW</source>
        <translation>%1 мВт</translation>
    </message>
    <message>
        <source>at least %1</source>
        <translation>не менее %1</translation>
    </message>
    <message>
        <source>at most %1</source>
        <translation>не более %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>от %1 до %2</translation>
    </message>
    <message>
        <source>exactly %1</source>
        <translation>ровно %1</translation>
    </message>
    <message>
        <source>not before the testing date, %1</source>
        <translation>не раньше даты проверки, %1</translation>
    </message>
    <message>
        <source>not before the testing date</source>
        <translation>не раньше даты проверки</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>нет ответа</translation>
    </message>
    <message>
        <source>%1; changed in the limits dialog, the standard&apos;s limit is %2</source>
        <translation>%1; изменено в окне норм, норма стандарта: %2</translation>
    </message>
    <message>
        <source>EIRP; %1</source>
        <translation>ЭИИМ; %1</translation>
    </message>
    <message>
        <source>derived from the sweep times of ITU-R M.628-5: 12 × (7.5 ± 1 + 0.4 ± 0.1) µs</source>
        <translation>выведено из длительностей качания по МСЭ-R M.628-5: 12 × (7,5 ± 1 + 0,4 ± 0,1) мкс</translation>
    </message>
    <message>
        <source>12 sweeps per response; ITU-R M.628-5</source>
        <translation>12 качаний на ответ; МСЭ-R M.628-5</translation>
    </message>
    <message>
        <source>IMO A.802(19): battery capacity, kept only up to the battery&apos;s replacement date</source>
        <translation>ИМО A.802(19): ёмкость батареи гарантируется только до даты её замены</translation>
    </message>
    <message>
        <source>IMO A.802(19): indication of correct operation, test facility</source>
        <translation>ИМО A.802(19): индикация исправной работы, средство проверки</translation>
    </message>
    <message>
        <source>%1 %2 (limit: %3)</source>
        <translation>%1 %2 (норма: %3)</translation>
    </message>
    <message>
        <source>Outside the limit of the SART standard (advisory).
%1: %2; limit: %3.
Source: %4.</source>
        <translation>Вне нормы стандарта САРТ (рекомендация).
%1: %2; норма: %3.
Источник: %4.</translation>
    </message>
    <message>
        <source>Within the limit of the SART standard.
%1: %2; limit: %3.
Source: %4.</source>
        <translation>В пределах нормы стандарта САРТ.
%1: %2; норма: %3.
Источник: %4.</translation>
    </message>
    <message>
        <source>All values within the limits of the SART standard</source>
        <translation>Все значения в пределах норм стандарта САРТ</translation>
    </message>
    <message numerus="yes">
        <source>%n value outside the limits of the SART standard: %1</source>
        <translation>
            <numerusform>%n значение вне норм стандарта САРТ: %1</numerusform>
            <numerusform>%n значения вне норм стандарта САРТ: %1</numerusform>
            <numerusform>%n значений вне норм стандарта САРТ: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n values outside the limits of the SART standard: %1</source>
        <translation>
            <numerusform>%n значение вне норм стандарта САРТ: %1</numerusform>
            <numerusform>%n значения вне норм стандарта САРТ: %1</numerusform>
            <numerusform>%n значений вне норм стандарта САРТ: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>The limits hold until the program ends, but cannot be kept: the settings file %1 cannot be written.</source>
        <translation>Нормы действуют до закрытия программы, но сохранить их нельзя: файл настроек %1 недоступен для записи.</translation>
    </message>
</context>
<context>
    <name>SerialDevices</name>
    <message>
        <source>built-in serial port</source>
        <translation>встроенный последовательный порт</translation>
    </message>
    <message>
        <source>not a serial adapter</source>
        <translation>не последовательный адаптер</translation>
    </message>
    <message>
        <source>not present</source>
        <comment>device</comment>
        <translation>отсутствует</translation>
    </message>
    <message>
        <source>%1 stands for %2: not present</source>
        <translation>%1 — это %2: отсутствует</translation>
    </message>
    <message>
        <source>%1 stands for %2: no serial port hardware behind it</source>
        <translation>%1 — это %2: за ним нет аппаратного последовательного порта</translation>
    </message>
    <message>
        <source>%1 stands for %2: present (%3)</source>
        <translation>%1 — это %2: подключено (%3)</translation>
    </message>
    <message>
        <source>%1 stands for %2: present</source>
        <translation>%1 — это %2: подключено</translation>
    </message>
</context>
<context>
    <name>SigningKey</name>
    <message>
        <source>no such key file (PKCS#12)</source>
        <translation>нет такого файла ключа (PKCS#12)</translation>
    </message>
    <message>
        <source>not a PKCS#12 key file (%1)</source>
        <translation>это не файл ключа PKCS#12 (%1)</translation>
    </message>
    <message>
        <source>wrong password (%1)</source>
        <translation>неверный пароль (%1)</translation>
    </message>
    <message>
        <source>cannot be read with this password (%1)</source>
        <translation>с этим паролем не читается (%1)</translation>
    </message>
    <message>
        <source>holds no private key with its certificate</source>
        <translation>в нём нет закрытого ключа с сертификатом</translation>
    </message>
    <message>
        <source>its private key does not belong to its certificate</source>
        <translation>его закрытый ключ не соответствует его сертификату</translation>
    </message>
    <message>
        <source>the certificate of %1 expired on %2: sign with a valid one</source>
        <translation>срок сертификата %1 истёк %2: подписывайте действующим</translation>
    </message>
    <message>
        <source>the certificate of %1 is valid only from %2</source>
        <translation>сертификат %1 действует только с %2</translation>
    </message>
    <message>
        <source>the signature could not be made (%1)</source>
        <translation>подпись создать не удалось (%1)</translation>
    </message>
    <message>
        <source>the signature could not be written (%1)</source>
        <translation>подпись записать не удалось (%1)</translation>
    </message>
</context>
<context>
    <name>SigningSettings</name>
    <message>
        <source>the signing settings could not be saved</source>
        <translation>настройки подписи сохранить не удалось</translation>
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
    <name>TForm2</name>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Port rate</source>
        <translation>Скорость порта</translation>
    </message>
    <message>
        <source>Data import</source>
        <translation>Импорт данных</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>Save data to file</source>
        <translation>Сохранить данные в файл</translation>
    </message>
    <message>
        <source>Serial &amp;devices</source>
        <translation>Последовательные &amp;устройства</translation>
    </message>
    <message>
        <source>Port</source>
        <comment>column</comment>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Обновить</translation>
    </message>
    <message>
        <source>Looking for serial devices...</source>
        <translation>Поиск последовательных устройств...</translation>
    </message>
    <message>
        <source>A port name stands for a device through a link in %1. Choose a device below and press &quot;Use as %2&quot; to change it.</source>
        <translation>Имя порта обозначает устройство через ссылку в %1. Чтобы изменить это, выберите устройство ниже и нажмите «Назначить %2».</translation>
    </message>
    <message>
        <source>&amp;Use as %1</source>
        <translation>&amp;Назначить %1</translation>
    </message>
    <message>
        <source>%1 stands for %2, which is there.
Do you want %1 to stand for %3 instead?</source>
        <translation>%1 обозначает %2, и это устройство подключено.
Переназначить %1 на устройство %3?</translation>
    </message>
    <message>
        <source>The file %1 already exists.
Do you want to replace it?</source>
        <translation>Файл %1 уже существует.
Заменить его?</translation>
    </message>
    <message>
        <source>%1

Save the received record under this name all the same?</source>
        <translation>%1

Всё равно сохранить принятую запись под этим именем?</translation>
    </message>
    <message>
        <source>The received record has not been saved. Discard it?
A discarded record can only be had again by receiving it once more.</source>
        <translation>Принятая запись не сохранена. Отбросить её?
Отброшенную запись можно получить, только приняв её ещё раз.</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Print</source>
        <translation>Печать</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Copyright © 2004–2026 Marine Test Instruments. All rights reserved.</source>
        <translation>© 2004–2026 Marine Test Instruments. Все права защищены.</translation>
    </message>
    <message>
        <source>WEB:</source>
        <translation>Сайт:</translation>
    </message>
    <message>
        <source>e-mail:</source>
        <translation>эл. почта:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>SART Tester Software 1.0</source>
        <translation>Программа SART Tester 1.0</translation>
    </message>
</context>
<context>
    <name>TQuickReport5</name>
    <message>
        <source>The certificate</source>
        <translation>Сертификат</translation>
    </message>
</context>
<context>
    <name>TQuickReport6</name>
    <message>
        <source>The help</source>
        <translation>Справка</translation>
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

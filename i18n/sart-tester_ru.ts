<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
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
    <name>Provenance</name>
    <message>
        <source>%1 as it was before it was replaced</source>
        <comment>a record file&apos;s name; goes where a record&apos;s name goes</comment>
        <translation>%1 (какой она была до замены)</translation>
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
</TS>

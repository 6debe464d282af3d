<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
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
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Print</source>
        <translation type="unfinished">Печать</translation>
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
        <source>Copyright © 2004–2026 Marine Test Instruments. All rights reserved.</source>
        <translation>© 2004–2026 Marine Test Instruments. Все права защищены.</translation>
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
</TS>

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
        <source>opening a record</source>
        <comment>Save them before ...?</comment>
        <translation>открытием записи</translation>
    </message>
    <message>
        <source>showing another record</source>
        <comment>Save them before ...?</comment>
        <translation>показом другой записи</translation>
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
        <source>deleting its file</source>
        <comment>Save them before ...?</comment>
        <translation>удалением её файла</translation>
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
    <message>
        <source>showing it in the other testing mode</source>
        <comment>Save them before ...?</comment>
        <translation>показом в другом режиме проверки</translation>
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
    <name>QPrintPreviewDialog</name>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
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
</TS>

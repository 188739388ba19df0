<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>vantrel::TForm1</name>
    <message>
        <source>Скопировать всё</source>
        <translation>Copy all</translation>
    </message>
    <message>
        <source>Скопировать выделенное</source>
        <translation>Copy selected</translation>
    </message>
    <message>
        <source>Сбросить</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Сбросить всё</source>
        <translation>Reset all</translation>
    </message>
    <message>
        <source>
_
Горячие клавиши:
[Ctrl+%1] — всегда доступно
[%2] — когда фокус на изображении
и установлен флаг «Разрешить без Ctrl и Alt»</source>
        <translation>
_
Hot keys:
[Ctrl+%1] — always available
[%2] — when the image has the focus
and “Without Ctrl and Alt” is ticked</translation>
    </message>
    <message>
        <source>Обрезка</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>Выберите файлы</source>
        <translation>Choose the files</translation>
    </message>
    <message>
        <source>Укажите папку для сохранения</source>
        <translation>Choose the folder to save into</translation>
    </message>
    <message>
        <source>Открыть TIFF</source>
        <translation>Open TIFF</translation>
    </message>
    <message>
        <source>Просмотр метаданных TIFF-файла</source>
        <translation>The TIFF file’s metadata</translation>
    </message>
    <message>
        <source>Куда сохранять</source>
        <translation>Save to…</translation>
    </message>
    <message>
        <source>Повернуть на 90° против часовой стрелки</source>
        <translation>Rotate 90° counter-clockwise</translation>
    </message>
    <message>
        <source>Повернуть на 90° по часовой стрелке</source>
        <translation>Rotate 90° clockwise</translation>
    </message>
    <message>
        <source>Перевернуть на 180°</source>
        <translation>Rotate 180°</translation>
    </message>
    <message>
        <source>Отразить горизонтально</source>
        <translation>Mirror horizontally</translation>
    </message>
    <message>
        <source>Инвертировать</source>
        <translation>Invert</translation>
    </message>
    <message>
        <source>Рамку на кадр:
найти снимок на скане
и поставить рамку по его центру</source>
        <translation>Frame on the picture:
find the picture on the scan
and centre the frame on it</translation>
    </message>
    <message>
        <source>Рамки 3:2 (36 x 24 мм):</source>
        <translation>Frames 3:2 (36 x 24 mm):</translation>
    </message>
    <message>
        <source>Шаблоны рамок для обрезки
(можно изменить в VantrelFrames.txt)</source>
        <translation>Frame templates for cropping
(can be changed in VantrelFrames.txt)</translation>
    </message>
    <message>
        <source>Ширина рамки</source>
        <translation>Frame width</translation>
    </message>
    <message>
        <source>Высотра рамки</source>
        <translation>Frame height</translation>
    </message>
    <message>
        <source>Смена ориентации рамки</source>
        <translation>Turn the frame (portrait ⇄ landscape)</translation>
    </message>
    <message>
        <source>Пропорция:</source>
        <translation>Ratio:</translation>
    </message>
    <message>
        <source>Обрезать и cохранить</source>
        <translation>Crop and save</translation>
    </message>
    <message>
        <source>Обрезать изображение по границам рамки
и сохранить в новый файл
[Ctrl+Кнопка] — сохранить без обрезки
_
Горячие клавиши:
[Alt+C], [Ctrl+Enter] — всегда доступно, когда
установлены соответствующие флаги;
[Пробел] — когда фокус на изображении
и установлен соответствующий флаг;
[C], [Enter] — когда фокус на изображении,
установлены соответствующие флаги
и установлен флаг «Разрешить без Ctrl и Alt»
_
[Ctrl+S] — сохранить без обрезки
[S] — сохранить без обрезки, когда фокус на изображении,
и установлен флаг «Разрешить без Ctrl и Alt»</source>
        <translation>Crop the image to the frame
and save it as a new file
[Ctrl+click] — save without cropping
_
Hot keys:
[Alt+C], [Ctrl+Enter] — always available when
their boxes are ticked;
[Space] — when the image has the focus
and its box is ticked;
[C], [Enter] — when the image has the focus,
their boxes are ticked
and “Without Ctrl and Alt” is ticked
_
[Ctrl+S] — save without cropping
[S] — save without cropping when the image has the focus
and “Without Ctrl and Alt” is ticked</translation>
    </message>
    <message>
        <source>
_
[BackSpace] — перезагрузить текущий оригинал,
когда фокус на изображении;
[F12] — перезагрузить текущий оригинал,
всегда доступно</source>
        <translation>
_
[BackSpace] — reload the current original
when the image has the focus;
[F12] — reload the current original,
always available</translation>
    </message>
    <message>
        <source>Предыдущее изображение из выбранных
(контекстное меню — прямой переход)
_
Горячие клавиши:
[Alt+A] — всегда доступно, когда
установлен соответствующий флаг;
[PgUp, Shift+Tab] — когда фокус на изображении
и установлен соответствующиq флаг;
[A] — когда фокус на изображении,
установлен соответствующиq флаг
и установлен флаг «Разрешить без Ctrl и Alt»</source>
        <translation>The previous of the chosen images
(context menu — jump straight to one)
_
Hot keys:
[Alt+A] — always available when
its box is ticked;
[PgUp, Shift+Tab] — when the image has the focus
and its box is ticked;
[A] — when the image has the focus,
its box is ticked
and “Without Ctrl and Alt” is ticked</translation>
    </message>
    <message>
        <source>Следующее изображение из выбранных
(контекстное меню — прямой переход)
_
Горячие клавиши:
[Alt+D] — всегда доступно, когда
установлен соответствующий флаг;
[PgDn, Tab] — когда фокус на изображении
и установлен соответствующиq флаг;
[D] — когда фокус на изображении,
установлен соответствующиq флаг
и установлен флаг «Разрешить без Ctrl и Alt»</source>
        <translation>The next of the chosen images
(context menu — jump straight to one)
_
Hot keys:
[Alt+D] — always available when
its box is ticked;
[PgDn, Tab] — when the image has the focus
and its box is ticked;
[D] — when the image has the focus,
its box is ticked
and “Without Ctrl and Alt” is ticked</translation>
    </message>
    <message>
        <source>Яркость:</source>
        <translation>Brightness:</translation>
    </message>
    <message>
        <source>Яркость 
Влияет только на отображение, в файл не сохраняется.
Смещает слишком тёмные или слишком светлые участки
в удобный для восприятия диапазон,
чтобы упростить точное позиционирование рамки.
_
Горячие клавиши:
[Shift + колёсико мыши] — всегда доступно</source>
        <translation>Brightness
Changes only the view, never the saved file.
Moves areas too dark or too light
into a range easy to see,
so that the frame is placed precisely.
_
Hot keys:
[Shift + mouse wheel] — always available</translation>
    </message>
    <message>
        <source>S-контрастность:</source>
        <translation>S-contrast:</translation>
    </message>
    <message>
        <source>S-контрастность (контрастность по S-образной кривой)
Влияет только на отображение, в файл не сохраняется.
Увеличивает градацию оттенков в тенях и светах,
чтобы упростить точное позиционирование рамки.
_
Горячие клавиши:
[Ctrl + колёсико мыши] — всегда доступно</source>
        <translation>S-contrast (contrast along an S-shaped curve)
Changes only the view, never the saved file.
Spreads the tones in the shadows and highlights,
so that the frame is placed precisely.
_
Hot keys:
[Ctrl + mouse wheel] — always available</translation>
    </message>
    <message>
        <source>Гамма-коррекция</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Гамма-коррекция
Влияет только на отображение, в файл не сохраняется.
Регулирует яркость средних тонов,
сохраняя света и тени
_
Горячие клавиши:
[Alt + колёсико мыши] — всегда доступно</source>
        <translation>Gamma
Changes only the view, never the saved file.
Sets the brightness of the midtones,
keeping the highlights and shadows
_
Hot keys:
[Alt + mouse wheel] — always available</translation>
    </message>
    <message>
        <source>Готов к работе</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Пропорции зафиксированы.
Нажмите, чтобы разблокировать.</source>
        <translation>Proportions locked.
Click to unlock them.</translation>
    </message>
    <message>
        <source>Пропорции свободные.
Нажмите, чтобы зафиксировать.</source>
        <translation>Proportions free.
Click to lock them.</translation>
    </message>
    <message>
        <source>Выберите целевую папку</source>
        <translation>Choose the target folder</translation>
    </message>
    <message>
        <source>Жёлтый</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Оранжевый</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Лайм</source>
        <translation>Lime</translation>
    </message>
    <message>
        <source>Голубой</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Розовый</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Белый</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Чёрный</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Свой цвет...</source>
        <translation>Custom...</translation>
    </message>
    <message>
        <source>Не удалось сохранить настройки в папке %1:
%2</source>
        <translation>Could not save the settings in the folder %1:
%2</translation>
    </message>
    <message>
        <source>Справка: F1</source>
        <translation>Help: F1</translation>
    </message>
    <message>
        <source>Cдвиг рамки (пикс.):</source>
        <translation>Frame move (pixels):</translation>
    </message>
    <message>
        <source>↕,↔: 1
Ctrl=2, Shift=4, Alt=16
Одновременное нажатие
перемножает значения</source>
        <translation>↕,↔: 1
Ctrl=2, Shift=4, Alt=16
Keys held together
multiply their steps</translation>
    </message>
    <message>
        <source>Перекл. фокуса и вкладок: </source>
        <translation>Focus and tabs: </translation>
    </message>
    <message>
        <source>Ctrl+Tab, Ctrl+Shift+Tab
(рамка ⇄ обрез. ⇄ настр.)</source>
        <translation>Ctrl+Tab, Ctrl+Shift+Tab
(frame ⇄ crop ⇄ settings)</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Имя нового файла:</source>
        <translation>New file’s name:</translation>
    </message>
    <message>
        <source>Префикс для нового имени</source>
        <translation>Prefix of the new name</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Постфикс для нового имени</source>
        <translation>Postfix of the new name</translation>
    </message>
    <message>
        <source>Обрезать лишние теги</source>
        <translation>Strip needless tags</translation>
    </message>
    <message>
        <source>Файл TIFF может содержать много ненужных тегов.
оставшихся от предыдущих обработок.
Опция позволяет их обрезать,
оставив только необходимый минимум.</source>
        <translation>A TIFF file may hold many needless tags
left by earlier processing.
This option strips them,
keeping only the minimum needed.</translation>
    </message>
    <message>
        <source>Тип фокусной рамки:</source>
        <translation>Focused frame’s look:</translation>
    </message>
    <message>
        <source>Штрих:</source>
        <translation>Dash:</translation>
    </message>
    <message>
        <source>Первый цвет штриха обрезной рамки</source>
        <translation>First dash colour of the crop frame</translation>
    </message>
    <message>
        <source>Второй цвет штриха обрезной рамки</source>
        <translation>Second dash colour of the crop frame</translation>
    </message>
    <message>
        <source>Длина штриха
фокусной обрезной рамки</source>
        <translation>Dash length
of the focused crop frame</translation>
    </message>
    <message>
        <source>Пробел:</source>
        <translation>Gap:</translation>
    </message>
    <message>
        <source>Расстояние между штрихами
фокусной обрезной рамки</source>
        <translation>Gap between the dashes
of the focused crop frame</translation>
    </message>
    <message>
        <source>Ставить рамку на кадр
при открытии</source>
        <translation>Frame on the picture
when a file opens</translation>
    </message>
    <message>
        <source>Каждый открытый файл: найти снимок на скане
и поставить рамку по его центру.
Если снимок не найден, рамка остаётся на месте.</source>
        <translation>Every file opened: find the picture on the scan
and centre the frame on it.
When no picture is found, the frame stays.</translation>
    </message>
    <message>
        <source>Горячие клавиши:</source>
        <translation>Hot keys:</translation>
    </message>
    <message>
        <source>Действует всегда</source>
        <translation>Always in force</translation>
    </message>
    <message>
        <source>Действует при фокусе на изображении</source>
        <translation>In force when the image has the focus</translation>
    </message>
    <message>
        <source>Обрезка:</source>
        <translation>Crop:</translation>
    </message>
    <message>
        <source>Пробел</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Alt+С</source>
        <translation>Alt+C</translation>
    </message>
    <message>
        <source>Листание:</source>
        <translation>Paging:</translation>
    </message>
    <message>
        <source>Действует при фокусе на изображении;
[Shift+Tab] — листать назад</source>
        <translation>In force when the image has the focus;
[Shift+Tab] — page back</translation>
    </message>
    <message>
        <source>Alt+D. Alt+A</source>
        <translation>Alt+D, Alt+A</translation>
    </message>
    <message>
        <source>Разрешить без Ctrl и Alt
если фокус на рамке</source>
        <translation>Without Ctrl and Alt
when the frame has the focus</translation>
    </message>
    <message>
        <source>Отключить клавиши-модификаторы
у всех горячих клавиш (кроме стрелок),
если фокус находится на изображении</source>
        <translation>Drop the modifier keys
of every hot key (but the arrows)
when the image has the focus</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>не хватило памяти</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>Рамку на следующий кадр скана
с целой полоской плёнки
[Shift+Кнопка] — на предыдущий кадр</source>
        <translation>Frame on the next picture of a scan
of a whole film strip
[Shift+Button] — on the picture before</translation>
    </message>
    <message>
        <source>
[Ctrl+Shift+N], [Shift+N] — на предыдущий кадр</source>
        <translation>
[Ctrl+Shift+N], [Shift+N] — on the picture before</translation>
    </message>
</context>
</TS>

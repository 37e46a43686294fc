<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Screen size</source>
        <translation>Размер экрана</translation>
    </message>
    <message>
        <source>Colour style name</source>
        <translation>Имя цветовой палитры</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Цвет:</translation>
    </message>
    <message>
        <source>Transparency:</source>
        <translation>Прозрачность:</translation>
    </message>
    <message>
        <source>Open spcolor.sch</source>
        <translation>Открыть spcolor.sch</translation>
    </message>
    <message>
        <source>Save spcolor.sch</source>
        <translation>Сохранить spcolor.sch</translation>
    </message>
    <message>
        <source>Load background image</source>
        <translation>Загрузить фоновую картинку</translation>
    </message>
    <message>
        <source>Clear background image</source>
        <translation>Убрать фоновую картинку</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>Recent &amp;files</source>
        <translation>&amp;Последние файлы</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;Export preview</source>
        <translation>Сохранить п&amp;росмотр</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>Preview &amp;size</source>
        <translation>&amp;Размер просмотра</translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation>&amp;Конфигурация</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Инструменты</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>По&amp;мощь</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Новая палитра</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Сохранить &amp;как...</translation>
    </message>
    <message>
        <source>&amp;Open spcolor.sch...</source>
        <translation>&amp;Открыть spcolor.sch...</translation>
    </message>
    <message>
        <source>&amp;Save spcolor.sch</source>
        <translation>&amp;Сохранить spcolor.sch</translation>
    </message>
    <message>
        <source>&amp;Load background image</source>
        <translation>Загрузить &amp;фоновую картинку</translation>
    </message>
    <message>
        <source>&amp;Current screen...</source>
        <translation>&amp;Текущий экран...</translation>
    </message>
    <message>
        <source>&amp;All screens...</source>
        <translation>&amp;Все экраны...</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>У&amp;величить</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>У&amp;меньшить</translation>
    </message>
    <message>
        <source>&amp;Mark the selected element</source>
        <translation>&amp;Отмечать выбранный элемент</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <source>&amp;Settings...</source>
        <translation>&amp;Настройки...</translation>
    </message>
    <message>
        <source>&amp;Phone folder...</source>
        <translation>&amp;Папка на телефоне...</translation>
    </message>
    <message>
        <source>&amp;Activate spcolor.sch</source>
        <translation>&amp;Активировать spcolor.sch</translation>
    </message>
    <message>
        <source>&amp;Hex editor</source>
        <translation>&amp;Hex редактор</translation>
    </message>
    <message>
        <source>Co&amp;nnect</source>
        <translation>По&amp;дключить</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;О программе...</translation>
    </message>
    <message>
        <source>H&amp;elp...</source>
        <translation>&amp;Справка...</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
    <message>
        <source>&amp;Manual</source>
        <translation>&amp;Руководство</translation>
    </message>
</context>
<context>
    <name>PreviewSettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Main Screen</source>
        <translation>Основной экран</translation>
    </message>
    <message>
        <source>Provider name:</source>
        <translation>Имя оператора:</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Часы</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>Аналоговые</translation>
    </message>
    <message>
        <source>Digital</source>
        <translation>Цифровые</translation>
    </message>
    <message>
        <source>Date format</source>
        <translation>Формат даты</translation>
    </message>
    <message>
        <source>Don&apos;t show</source>
        <translation>Не показывать</translation>
    </message>
    <message>
        <source>Datebook</source>
        <translation>Ежедневник</translation>
    </message>
    <message>
        <source>Choose date</source>
        <translation>Выбрать дату</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Показывать</translation>
    </message>
    <message>
        <source>Month View</source>
        <translation>Месяц</translation>
    </message>
    <message>
        <source>Week View</source>
        <translation>Неделя</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Предпросмотр</translation>
    </message>
    <message>
        <source>Imitation of pressing</source>
        <translation>Имитировать нажатие</translation>
    </message>
    <message>
        <source>Left soft-key</source>
        <translation>Левая софт-клавиша</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Меню</translation>
    </message>
    <message>
        <source>Right soft-key</source>
        <translation>Правая софт-клавиша</translation>
    </message>
    <message>
        <source>Don&apos;t press</source>
        <translation>Не нажимать</translation>
    </message>
</context>
<context>
    <name>tintora::Catalogue</name>
    <message>
        <source>Main Screen Background</source>
        <translation>Фон основного экрана</translation>
    </message>
    <message>
        <source>Main text</source>
        <translation>Основной текст</translation>
    </message>
    <message>
        <source>Main text when selected</source>
        <translation>Основной текст когда он выбран</translation>
    </message>
    <message>
        <source>Border of the text on the main screen</source>
        <translation>Граница текста на основном экране</translation>
    </message>
    <message>
        <source>Analog clock</source>
        <translation>Стрелки аналоговых часов</translation>
    </message>
    <message>
        <source>Line on top of Bottom Bar</source>
        <translation>Линия над полосой софт-клавиш</translation>
    </message>
    <message>
        <source>Bottom Bar(top)</source>
        <translation>Полоса софт-клавиш (верх)</translation>
    </message>
    <message>
        <source>Bottom Bar(bottom)</source>
        <translation>Полоса софт-клавиш (низ)</translation>
    </message>
    <message>
        <source>Text in Bottom Bar</source>
        <translation>Текст в нижней полосе</translation>
    </message>
    <message>
        <source>Bottom Bar(top)(When clicked)</source>
        <translation>Полоса софт-клавиш (верх)(когда выделено)</translation>
    </message>
    <message>
        <source>Bottom Bar(bottom)(When clicked)</source>
        <translation>Полоса софт-клавиш (низ)(когда выделено)</translation>
    </message>
    <message>
        <source>Text in Bottom Bar(When clicked)</source>
        <translation>Текст в нижней полосе (когда выделено)</translation>
    </message>
    <message>
        <source>Background of Nine Icon</source>
        <translation>Фон иконок</translation>
    </message>
    <message>
        <source>The top of Title Bar</source>
        <translation>Заголовок окна (верх)</translation>
    </message>
    <message>
        <source>The bottom of Title Bar</source>
        <translation>Заголовок окна (низ)</translation>
    </message>
    <message>
        <source>Text in Title Bar</source>
        <translation>Текст в заголовке окна</translation>
    </message>
    <message>
        <source>Icon border</source>
        <translation>Граница иконок</translation>
    </message>
    <message>
        <source>Background of Select Menu</source>
        <translation>Фон выбранного меню</translation>
    </message>
    <message>
        <source>Line in Menu border(outside)</source>
        <translation>Граница линии (внешняя рамка окна) меню</translation>
    </message>
    <message>
        <source>Line in Menu border(inside)</source>
        <translation>Граница линии (внутренняя рамка окна) меню</translation>
    </message>
    <message>
        <source>Select Menu(top)</source>
        <translation>Выбранный пункт меню (верх)</translation>
    </message>
    <message>
        <source>Select Menu(Bottom)</source>
        <translation>Выбранный пункт меню (низ)</translation>
    </message>
    <message>
        <source>ScrollBar</source>
        <translation>Полоса прокрутки</translation>
    </message>
    <message>
        <source>ScrollBar Button(top)</source>
        <translation>Кнопка полосы прокрутки (верх)</translation>
    </message>
    <message>
        <source>ScrollBar Button(bottom)</source>
        <translation>Кнопка полосы прокрутки (низ)</translation>
    </message>
    <message>
        <source>1e line of scrollbar</source>
        <translation>Верхняя линия кнопки полосы прокрутки</translation>
    </message>
    <message>
        <source>2e line of scrollbar</source>
        <translation>Нижняя линия кнопки полосы прокрутки</translation>
    </message>
    <message>
        <source>Notice Window Title(top)</source>
        <translation>Заголовок окна уведомления (верх)</translation>
    </message>
    <message>
        <source>Notice Window Title(bottom)</source>
        <translation>Заголовок окна уведомления (низ)</translation>
    </message>
    <message>
        <source>Text in Notice Window Title</source>
        <translation>Текст в заголовке окна уведомления</translation>
    </message>
    <message>
        <source>Line surrounding Title Bar</source>
        <translation>Граница заголовка окна</translation>
    </message>
    <message>
        <source>Underline in submenu</source>
        <translation>Линия подчеркивания в подменю</translation>
    </message>
    <message>
        <source>Underline in submenu(selected)</source>
        <translation>Линия подчеркивания в подменю (когда выделено)</translation>
    </message>
    <message>
        <source>Background for week</source>
        <translation>Фон для недели</translation>
    </message>
    <message>
        <source>Main table in calendar</source>
        <translation>Таблица в календаре</translation>
    </message>
    <message>
        <source>Background for &quot;today&quot;</source>
        <translation>Фон для &quot;сегодня&quot;</translation>
    </message>
    <message>
        <source>Text for &quot;today&quot;</source>
        <translation>Текст для &quot;сегодня&quot;</translation>
    </message>
    <message>
        <source>Horizontal line in calendar</source>
        <translation>Горизонтальная линия в календаре</translation>
    </message>
    <message>
        <source>Vertical line in calendar</source>
        <translation>Вертикальная линия в календаре</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>Курсор</translation>
    </message>
    <message>
        <source>Background of iTap line</source>
        <translation>Фон строки iTap</translation>
    </message>
    <message>
        <source>Border when input</source>
        <translation>Граница ввода</translation>
    </message>
    <message>
        <source>Background of the information at multimedia</source>
        <translation>Фон при воспроизведении мультимедиа</translation>
    </message>
    <message>
        <source>Text at the discription of the pictures/ringtones/video</source>
        <translation>Описание картинки/мелодии/видео</translation>
    </message>
    <message>
        <source>TrackBar Button</source>
        <translation>Кнопка полосы прокрутки</translation>
    </message>
    <message>
        <source>Right line in TrackBar Button</source>
        <translation>Правая линия на кнопке полосы прокрутки</translation>
    </message>
    <message>
        <source>Upeer and left line in TrackBar Button</source>
        <translation>Верхняя и левая линия полосы прокрутки</translation>
    </message>
    <message>
        <source>TrackBar(top)</source>
        <translation>Полоса прокрутки (верх)</translation>
    </message>
    <message>
        <source>TrackBar(bottom)</source>
        <translation>Полоса прокрутки (низ)</translation>
    </message>
    <message>
        <source>Links in sound/pictures menu (certain branded flexes only)</source>
        <translation>Links in sound/pictures menu (certain branded flexes only)</translation>
    </message>
    <message>
        <source>Links in sound/pictures menu when highlighted (certain branded flexes only)</source>
        <translation>Links in sound/pictures menu when highlighted (certain branded flexes only)</translation>
    </message>
    <message>
        <source>Unknown 1</source>
        <translation>Неизвестный 1</translation>
    </message>
    <message>
        <source>Unknown 2</source>
        <translation>Неизвестный 2</translation>
    </message>
    <message>
        <source>Unknown 3</source>
        <translation>Неизвестный 3</translation>
    </message>
    <message>
        <source>(&quot;Emergency call&quot; window) - The top of Title Bar</source>
        <translation>(Экстренный вызов) - Заголовок (верх)</translation>
    </message>
    <message>
        <source>(&quot;Emergency call&quot; window) - The bottom of Title Bar</source>
        <translation>(Экстренный вызов) - Заголовок (низ)</translation>
    </message>
    <message>
        <source>Unknown 6</source>
        <translation>Неизвестный 6</translation>
    </message>
    <message>
        <source>Unknown 7</source>
        <translation>Неизвестный 7</translation>
    </message>
    <message>
        <source>Unknown 8</source>
        <translation>Неизвестный 8</translation>
    </message>
    <message>
        <source>Unknown 9</source>
        <translation>Неизвестный 9</translation>
    </message>
    <message>
        <source>Unknown 10</source>
        <translation>Неизвестный 10</translation>
    </message>
    <message>
        <source>Unknown 11</source>
        <translation>Неизвестный 11</translation>
    </message>
    <message>
        <source>(Datebook) - Text of the day off</source>
        <translation>(Ежедневник) - Текст выходного дня</translation>
    </message>
    <message>
        <source>Main screen</source>
        <translation>Основной экран</translation>
    </message>
    <message>
        <source>Main menu (Icons)</source>
        <translation>Главное меню (Иконки)</translation>
    </message>
    <message>
        <source>Select menu item</source>
        <translation>Выбор элемента меню</translation>
    </message>
    <message>
        <source>Notice window</source>
        <translation>Окно уведомления</translation>
    </message>
    <message>
        <source>Select submenu item</source>
        <translation>Выбор элемента подменю</translation>
    </message>
    <message>
        <source>Datebook</source>
        <translation>Ежедневник</translation>
    </message>
    <message>
        <source>New message</source>
        <translation>Ввод сообщения</translation>
    </message>
    <message>
        <source>Multimedia</source>
        <translation>Мультимедиа</translation>
    </message>
    <message>
        <source>Others...</source>
        <translation>Другие...</translation>
    </message>
</context>
<context>
    <name>tintora::ContrastPanel</name>
    <message>
        <source>WCAG 2 AA, 4.5 : 1</source>
        <translation>WCAG 2 AA, 4.5 : 1</translation>
    </message>
    <message>
        <source>WCAG AAA, 7 : 1</source>
        <translation>WCAG AAA, 7 : 1</translation>
    </message>
    <message>
        <source>APCA Lc 60</source>
        <translation>APCA Lc 60</translation>
    </message>
    <message>
        <source>APCA Lc 75</source>
        <translation>APCA Lc 75</translation>
    </message>
    <message>
        <source>The contrast every text needs</source>
        <translation>Контраст, нужный каждому тексту</translation>
    </message>
    <message>
        <source>Every text reads at the contrast chosen above</source>
        <translation>Каждый текст читается с выбранным выше контрастом</translation>
    </message>
</context>
<context>
    <name>tintora::DesignCommands</name>
    <message>
        <source>Contrast</source>
        <translation>Контраст</translation>
    </message>
    <message>
        <source>&amp;Contrast</source>
        <translation>&amp;Контраст</translation>
    </message>
    <message>
        <source>New from &amp;picture...</source>
        <translation>Новая по карт&amp;инке...</translation>
    </message>
</context>
<context>
    <name>tintora::EditingPanel</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
</context>
<context>
    <name>tintora::InterfaceLanguage</name>
    <message>
        <source>&amp;English</source>
        <comment>this language&apos;s own name</comment>
        <translation>&amp;Русский</translation>
    </message>
</context>
<context>
    <name>tintora::MainWindow</name>
    <message>
        <source>&amp;Disconnect</source>
        <translation>&amp;Отключить</translation>
    </message>
    <message>
        <source>Co&amp;nnect</source>
        <translation>По&amp;дключить</translation>
    </message>
    <message>
        <source>Status : Work with phone</source>
        <translation>Статус : Работа с телефоном</translation>
    </message>
    <message>
        <source>Status : Work with a computer</source>
        <translation>Статус : Работа с компьютером</translation>
    </message>
    <message>
        <source>Read spcolor.sch</source>
        <translation>Читать spcolor.sch</translation>
    </message>
    <message>
        <source>Open spcolor.sch</source>
        <translation>Открыть spcolor.sch</translation>
    </message>
    <message>
        <source>Write spcolor.sch</source>
        <translation>Записать spcolor.sch</translation>
    </message>
    <message>
        <source>Save spcolor.sch</source>
        <translation>Сохранить spcolor.sch</translation>
    </message>
    <message>
        <source>&amp;Read spcolor.sch</source>
        <translation>&amp;Читать spcolor.sch...</translation>
    </message>
    <message>
        <source>&amp;Open spcolor.sch...</source>
        <translation>&amp;Открыть spcolor.sch...</translation>
    </message>
    <message>
        <source>&amp;Write spcolor.sch</source>
        <translation>&amp;Записать spcolor.sch</translation>
    </message>
    <message>
        <source>&amp;Save spcolor.sch</source>
        <translation>&amp;Сохранить spcolor.sch</translation>
    </message>
</context>
<context>
    <name>tintora::ManualWindow</name>
    <message>
        <source>Tintora manual</source>
        <translation>Руководство Tintora</translation>
    </message>
</context>
<context>
    <name>tintora::Role</name>
    <message>
        <source>Background</source>
        <translation>Фон</translation>
    </message>
    <message>
        <source>Bar</source>
        <translation>Полоса</translation>
    </message>
    <message>
        <source>Pressed key</source>
        <translation>Нажатая клавиша</translation>
    </message>
    <message>
        <source>Highlight</source>
        <translation>Выделение</translation>
    </message>
    <message>
        <source>Frame or line</source>
        <translation>Рамка, линия</translation>
    </message>
    <message>
        <source>Text on background</source>
        <translation>Текст на фоне</translation>
    </message>
    <message>
        <source>Text on bar</source>
        <translation>Текст на полосе</translation>
    </message>
    <message>
        <source>Text on highlight</source>
        <translation>Текст на выделении</translation>
    </message>
    <message>
        <source>Text outline</source>
        <translation>Обводка текста</translation>
    </message>
    <message>
        <source>Clock hands</source>
        <translation>Стрелки часов</translation>
    </message>
    <message>
        <source>Calendar weekend</source>
        <translation>Выходные в календаре</translation>
    </message>
    <message>
        <source>&quot;Today&quot; background</source>
        <translation>Фон «сегодня»</translation>
    </message>
    <message>
        <source>&quot;Today&quot; text</source>
        <translation>Текст «сегодня»</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>Курсор</translation>
    </message>
    <message>
        <source>Not shown in the preview</source>
        <translation>Не показан в просмотре</translation>
    </message>
</context>
<context>
    <name>tintora::SchemeDocument</name>
    <message>
        <source>Save the changes to the colour style?</source>
        <translation>Сохранить изменения цветовой палитры?</translation>
    </message>
    <message>
        <source>Save the changes to the colour style &quot;%1&quot;?</source>
        <translation>Сохранить изменения цветовой палитры «%1»?</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>Do&amp;n&apos;t save</source>
        <translation>&amp;Не сохранять</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Отмена</translation>
    </message>
</context>
<context>
    <name>tintora::SchemeEdit</name>
    <message>
        <source>colour of %1</source>
        <translation>цвет «%1»</translation>
    </message>
    <message>
        <source>transparency of %1</source>
        <translation>прозрачность «%1»</translation>
    </message>
    <message>
        <source>scheme from picture</source>
        <translation>схема по картинке</translation>
    </message>
    <message>
        <source>colour style name</source>
        <translation>имя палитры</translation>
    </message>
</context>
<context>
    <name>tintora::SuggestionChooser</name>
    <message>
        <source>Choose a scheme</source>
        <translation>Выбор схемы</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Светлая</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Тёмная</translation>
    </message>
    <message>
        <source>As the picture</source>
        <translation>Как на картинке</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Цвета</translation>
    </message>
    <message>
        <source>Click a scheme, or choose it with the arrow keys and Enter</source>
        <translation>Щёлкните схему или выберите её стрелками и Enter</translation>
    </message>
    <message>
        <source>Making suggestions...</source>
        <translation>Подбираются варианты...</translation>
    </message>
    <message>
        <source>Reads everywhere</source>
        <translation>Читается везде</translation>
    </message>
</context>
<context>
    <name>tintora::SystemReason</name>
    <message>
        <source>Permission denied</source>
        <translation>Отказано в доступе</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Операция не позволена</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Нет такого файла или каталога</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>На устройстве не осталось свободного места</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Превышена дисковая квота</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Файловая система доступна только для чтения</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>Файл существует</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Это каталог</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>Это не каталог</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Файл слишком велик</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Ошибка ввода/вывода</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Слишком много открытых файлов</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Устройство или ресурс занято</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Слишком длинное имя файла</translation>
    </message>
</context>
<context>
    <name>tintora::Texts</name>
    <message>
        <source>Role: %1</source>
        <translation>Роль: %1</translation>
    </message>
    <message>
        <source>At %1x the window (%2 x %3) would not fit the screen (%4 x %5)</source>
        <translation>При %1x окно (%2 × %3) не поместится на экране (%4 × %5)</translation>
    </message>
    <message>
        <source>%1 — on &quot;%2&quot;, double-click to go there</source>
        <translation>%1 — на экране «%2», двойной щелчок — перейти туда</translation>
    </message>
    <message>
        <source>These elements are drawn nowhere, except the days off on Datebook</source>
        <translation>Эти элементы нигде не рисуются, кроме выходных дней в «Ежедневнике»</translation>
    </message>
    <message>
        <source>Screen &quot;%1&quot; not written: it draws none of its elements</source>
        <translation>Экран «%1» не сохранён: на нём не рисуется ни один элемент</translation>
    </message>
    <message>
        <source>File %1 not found; it is removed from the recent files.</source>
        <translation>Файл %1 не найден и убран из списка последних файлов.</translation>
    </message>
    <message>
        <source>Folder of spcolor.sch on the phone, such as /a/mobile/system/:</source>
        <translation>Папка файла spcolor.sch на телефоне, например /a/mobile/system/:</translation>
    </message>
    <message>
        <source>Files already there: %1 of %2 (%3 .. %4).<byte value="xd"/>Replace them?</source>
        <translation>Уже есть файлов: %1 из %2 (%3 .. %4).<byte value="xd"/>Заменить их?</translation>
    </message>
    <message>
        <source>Written: %1</source>
        <translation>Записано: %1</translation>
    </message>
    <message>
        <source>%1 %2: %3, APCA Lc %4, screen %5 %6 at (%7, %8), needs %9</source>
        <translation>%1 %2: %3, APCA Lc %4, экран %5 %6 в (%7, %8), нужно %9</translation>
    </message>
    <message>
        <source>No readable scheme could be made for this picture</source>
        <translation>Для этой картинки не удалось подобрать читаемую схему</translation>
    </message>
    <message>
        <source>Unable to write to %1: %2</source>
        <translation>Не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is larger than 1 MiB: it was not read and will not be rewritten; the default settings apply</source>
        <translation>Файл настроек %1 больше 1 МиБ: он не прочитан и не будет перезаписан, действуют настройки по умолчанию</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; will not do: it must start with a volume such as /a/ and hold printable ASCII characters only</source>
        <translation>Папка «%1» не годится: она должна начинаться с тома, например /a/, и содержать только печатные знаки ASCII</translation>
    </message>
    <message>
        <source> ([Phone] SpColorPath in %1); the phone folder is %2</source>
        <translation> ([Phone] SpColorPath в %1); папка на телефоне — %2</translation>
    </message>
    <message>
        <source>No phone library</source>
        <translation>Нет библиотеки связи с телефоном</translation>
    </message>
    <message>
        <source>No phone in command mode answered.</source>
        <translation>Телефон в командном режиме не ответил.</translation>
    </message>
    <message>
        <source>No Motorola phone (vendor 22b8) on USB: is the phone on, and the cable a data cable?</source>
        <translation>Нет телефона Motorola (производитель 22b8) на USB: включён ли телефон и передаёт ли кабель данные?</translation>
    </message>
    <message>
        <source>A phone in modem mode is switched to command mode with AT+MODE=8</source>
        <translation>Телефон в режиме модема переключается в командный режим командой AT+MODE=8</translation>
    </message>
    <message>
        <source>Phone restarting</source>
        <translation>Телефон перезагружается</translation>
    </message>
    <message>
        <source>The phone cannot be opened: bind the WinUSB driver to its &quot;Motorola Test Command&quot; interface (README-Windows.txt)</source>
        <translation>Телефон нельзя открыть: назначьте драйвер WinUSB его интерфейсу &quot;Motorola Test Command&quot; (README-Windows.txt)</translation>
    </message>
    <message>
        <source>This user may not open the phone: install the udev rule (README, &quot;Connecting a real phone&quot;)</source>
        <translation>Этому пользователю нельзя открыть телефон: установите правило udev (README, &quot;Connecting a real phone&quot;)</translation>
    </message>
    <message>
        <source>A phone in mass-storage mode cannot be reached: eject its memory card, choose the data (modem) connection in the phone&apos;s USB settings and plug it in again.</source>
        <translation>Телефон в режиме накопителя недоступен: извлеките его карту памяти, выберите в настройках USB телефона соединение для данных (модем) и подключите его снова.</translation>
    </message>
    <message>
        <source>A phone in modem mode did not switch to command mode</source>
        <translation>Телефон в режиме модема не переключился в командный режим</translation>
    </message>
    <message>
        <source>Motorola device in an unknown mode</source>
        <translation>Устройство Motorola в неизвестном режиме</translation>
    </message>
    <message>
        <source>The phone has gone (%1). Working with the computer now.</source>
        <translation>Связь с телефоном потеряна (%1). Теперь — работа с компьютером.</translation>
    </message>
    <message>
        <source>Reading the background picture: %1 % (Esc cancels)</source>
        <translation>Читается фоновая картинка: %1 % (Esc — отменить)</translation>
    </message>
    <message>
        <source>The name %1 is not valid UTF-8 and cannot be kept exactly; no file of that name is read or written</source>
        <translation>Имя %1 не в кодировке UTF-8 и не может быть сохранено точно; файл с таким именем не читается и не записывается</translation>
    </message>
    <message>
        <source>Not a JPEG file: starts with %1 %2</source>
        <translation>Это не файл JPEG: он начинается с байтов %1 %2</translation>
    </message>
    <message>
        <source>Empty input file</source>
        <translation>Файл пуст</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>the JPEG decoder&apos;s own message</comment>
        <translation>Картинка JPEG повреждена или не поддерживается (%1)</translation>
    </message>
    <message>
        <source>The picture is %1 x %2 pixels; pictures wider or taller than %3 pixels cannot be loaded.</source>
        <translation>Картинка размером %1 x %2 пикселей; картинки шире или выше %3 пикселей не загружаются.</translation>
    </message>
    <message>
        <source>Not enough memory for a picture of %1 x %2 pixels.</source>
        <translation>Не хватает памяти для картинки размером %1 x %2 пикселей.</translation>
    </message>
    <message>
        <source>The JPEG file is damaged: its data lacks at least %1 of the %2 blocks of its %3 x %4 picture, which would be largely made up. (Up to 1 block in %5, and no more than %6 blocks, may be missing.)</source>
        <translation>Файл JPEG повреждён: в его данных нет по меньшей мере %1 из %2 блоков картинки %3 x %4, и такая картинка была бы во многом выдумана. (Может не хватать не больше 1 блока из %5 и не больше %6 блоков.)</translation>
    </message>
    <message>
        <source>The JPEG file is damaged: decoding its %1 bytes into a picture of %2 x %3 pixels would take far more work than a real picture of that size needs.</source>
        <translation>Файл JPEG повреждён: чтобы получить из его %1 байт картинку %2 x %3 пикселей, понадобилось бы намного больше работы, чем нужно настоящей картинке такого размера.</translation>
    </message>
    <message>
        <source>Reading the picture was cancelled.</source>
        <translation>Чтение картинки прервано.</translation>
    </message>
    <message>
        <source>the file ends at byte %1, before its picture</source>
        <translation>файл обрывается на байте %1, раньше конца картинки</translation>
    </message>
    <message>
        <source>not a regular file but a device, a pipe or a socket</source>
        <translation>это не обычный файл, а устройство, канал или сокет</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Не могу открыть файл %1: %2</translation>
    </message>
    <message>
        <source>Input/output error while reading %1: %2</source>
        <translation>Ошибка ввода-вывода при чтении файла %1: %2</translation>
    </message>
    <message>
        <source>This file is not colour style</source>
        <translation>Файл не является цветовой палитрой</translation>
    </message>
    <message>
        <source>%1 is shorter than a colour style: %2 of 304 bytes</source>
        <translation>Файл %1 короче цветовой палитры: %2 из 304 байт</translation>
    </message>
    <message>
        <source>Open spcolor.sch</source>
        <translation>Открыть spcolor.sch</translation>
    </message>
    <message>
        <source>Colour styles(*.sch)|*.sch|All(*.*)|*.*</source>
        <translation>Цветовые палитры(*.sch)|*.sch|Все(*.*)|*.*</translation>
    </message>
    <message>
        <source>Colour styles(*.sch)|*.sch</source>
        <translation>Цветовые палитры(*.sch)|*.sch</translation>
    </message>
    <message>
        <source>Open seem 0032_0001</source>
        <translation>Открыть seem 0032_0001</translation>
    </message>
    <message>
        <source>Seem files(*.seem)|*.seem|All(*.*)|*.*</source>
        <translation>Seem файлы(*.seem)|*.seem|Все(*.*)|*.*</translation>
    </message>
    <message>
        <source>Create error of a file %1</source>
        <translation>Не могу создать файл %1</translation>
    </message>
    <message>
        <source>Read error of a file %1</source>
        <translation>Не могу прочитать файл %1</translation>
    </message>
    <message>
        <source>File %1 not found</source>
        <translation>Файл %1 не найден</translation>
    </message>
    <message>
        <source>Write error of a file %1</source>
        <translation>Не могу записать файл %1</translation>
    </message>
    <message>
        <source><byte value="xd"/>The file on the phone is left unchanged: no copy of it could be kept: %1</source>
        <translation><byte value="xd"/>Файл на телефоне не изменён: не удалось сохранить его копию: %1</translation>
    </message>
    <message>
        <source><byte value="xd"/>The file on the phone is left unchanged: no copy of it could be kept in %1: %2</source>
        <translation><byte value="xd"/>Файл на телефоне не изменён: не удалось сохранить его копию в %1: %2</translation>
    </message>
    <message>
        <source><byte value="xd"/>The phone may be left without the file or with part of it. The former file is kept in %1<byte value="xd"/>To put it back: tintora-cli phone write %1</source>
        <translation><byte value="xd"/>Файл на телефоне мог пропасть или остаться неполным. Прежний файл сохранён в %1<byte value="xd"/>Вернуть его: tintora-cli phone write %1</translation>
    </message>
    <message>
        <source>Colour style: %1<byte value="xd"/>Saving path: %2</source>
        <translation>Цветовая палитра: %1<byte value="xd"/>Путь сохраниения: %2</translation>
    </message>
    <message>
        <source>The phone does not answer</source>
        <translation>Телефон не отвечает</translation>
    </message>
    <message>
        <source>Not enough free space on phone</source>
        <translation>Недостаточно места на получателе</translation>
    </message>
    <message>
        <source>Changes will come into force only after reboot of phone<byte value="xd"/>Reboot phone now?</source>
        <translation>Изменения вступят в силу только после перезагрузки телефона<byte value="xd"/>Перезагрузить телефон сейчас?</translation>
    </message>
    <message>
        <source>The phone did not restart; restart it yourself for the changes to take effect</source>
        <translation>Телефон не перезагрузился; перезагрузите его сами, чтобы изменения вступили в силу</translation>
    </message>
    <message>
        <source>Read seem 0032 rec 0001.........</source>
        <translation>Чтение seem 0032 rec 0001.....</translation>
    </message>
    <message>
        <source>Change value...........................</source>
        <translation>Изменение значения.................</translation>
    </message>
    <message>
        <source>Write seem 0032 rec 0001...........</source>
        <translation>Запись seem 0032 rec 0001..........</translation>
    </message>
    <message>
        <source>Open %1.........</source>
        <translation>Открытие %1.....</translation>
    </message>
    <message>
        <source>Save %1...........</source>
        <translation>Запись %1..........</translation>
    </message>
    <message>
        <source>Custom colour styles are activated</source>
        <translation>Пользовательские цветовые палитры успешно активированы</translation>
    </message>
    <message>
        <source>Custom colour styles already activated!</source>
        <translation>Пользовательские цветовые палитры уже активированы!</translation>
    </message>
    <message>
        <source>Custom colour styles are not activated</source>
        <translation>Пользовательские цветовые палитры не активированы</translation>
    </message>
    <message>
        <source>Read error of a seem 0032h rec 0001h</source>
        <translation>Не могу прочитать seem 0032h rec 0001h</translation>
    </message>
    <message>
        <source>The phone&apos;s answer to the write was lost: seem 0032 rec 0001 may have changed. The record as it was is kept in %1<byte value="xd"/>To put it back: tintora-cli phone restore-seem %1</source>
        <translation>Ответ телефона на запись потерян: seem 0032 rec 0001 мог измениться. Запись, какой она была, сохранена в %1<byte value="xd"/>Вернуть её: tintora-cli phone restore-seem %1</translation>
    </message>
    <message>
        <source>%1 is a colour style, not a record of seem 0032_0001; it is left unchanged</source>
        <translation>Файл %1 — цветовая палитра, а не запись seem 0032_0001; он не изменён</translation>
    </message>
    <message>
        <source>Phone not answering</source>
        <translation>Телефон не отвечает</translation>
    </message>
    <message>
        <source>No phone</source>
        <translation>Нет телефона</translation>
    </message>
    <message>
        <source>Phone connected</source>
        <translation>Телефон подключён</translation>
    </message>
    <message>
        <source>Phone ready</source>
        <translation>Телефон готов</translation>
    </message>
    <message>
        <source>Phone in modem mode</source>
        <translation>Телефон в режиме модема</translation>
    </message>
    <message>
        <source>Phone not allowed</source>
        <translation>Нет доступа к телефону</translation>
    </message>
    <message>
        <source>Phone in mass-storage mode</source>
        <translation>Телефон в режиме накопителя</translation>
    </message>
    <message>
        <source>Modem switch failed</source>
        <translation>Модем не переключился</translation>
    </message>
    <message>
        <source>Unknown phone mode</source>
        <translation>Неизвестный режим телефона</translation>
    </message>
    <message>
        <source>Most phones show up as a modem when plugged in. Tintora then sends the modem AT+MODE=8: the phone leaves USB and comes back in its command mode a few seconds later, and Connect becomes enabled.</source>
        <translation>Большинство телефонов при подключении видны как модем. Тогда Tintora посылает модему AT+MODE=8: телефон отключается от USB и через несколько секунд возвращается в командном режиме, и пункт «Подключить» становится доступен.</translation>
    </message>
    <message>
        <source>The phone-link library (libp2kapi.so, p2kapi.dll) was not found beside the program, in its private folder or where the system looks for libraries; TINTORA_P2KAPI may name it. Without it Tintora works with files only.</source>
        <translation>Библиотека связи с телефоном (libp2kapi.so, p2kapi.dll) не найдена ни рядом с программой, ни в её собственной папке, ни там, где система ищет библиотеки; её можно указать в TINTORA_P2KAPI. Без неё Tintora работает только с файлами.</translation>
    </message>
    <message>
        <source>Unplug the phone, wait until it is back on its main screen and plug it in again.</source>
        <translation>Отключите телефон, дождитесь его основного экрана и подключите его снова.</translation>
    </message>
    <message>
        <source>Switch the phone on and plug it in with a data cable; a charging-only cable carries no data.</source>
        <translation>Включите телефон и подключите его кабелем для данных: кабель только для зарядки данных не передаёт.</translation>
    </message>
    <message>
        <source>Read, Write and Activate now work on the phone; Disconnect goes back to the computer&apos;s files.</source>
        <translation>Чтение, запись и активация теперь работают с телефоном; «Отключить» возвращает к файлам компьютера.</translation>
    </message>
    <message>
        <source>Connect enters phone mode: Read, Write and Activate then work on the phone.</source>
        <translation>«Подключить» включает работу с телефоном: чтение, запись и активация тогда работают с ним.</translation>
    </message>
    <message>
        <source>A memory card cannot carry the phone&apos;s commands: choose the data (modem) connection in the phone&apos;s USB settings.</source>
        <translation>Через карту памяти команды телефону не передать: выберите в настройках USB телефона соединение для данных (модем).</translation>
    </message>
    <message>
        <source>The udev rule 70-tintora-p2k.rules lets the logged-in user open the phone. The package installs it in /usr/lib/udev/rules.d/; without the package, copy resources/70-tintora-p2k.rules to /etc/udev/rules.d/. Then reload the rules with<byte value="xd"/>sudo udevadm control --reload<byte value="xd"/>and unplug the phone and plug it in again.</source>
        <translation>Правило udev 70-tintora-p2k.rules разрешает вошедшему в систему пользователю открывать телефон. Пакет устанавливает его в /usr/lib/udev/rules.d/; без пакета скопируйте resources/70-tintora-p2k.rules в /etc/udev/rules.d/. Затем перечитайте правила командой<byte value="xd"/>sudo udevadm control --reload<byte value="xd"/>и отключите телефон и подключите его снова.</translation>
    </message>
    <message>
        <source>This phone refused the switch or did not answer it within 2 seconds: unplug it and plug it in again; &quot;tintora-cli phone probe&quot; says what it sees.</source>
        <translation>Этот телефон отказался переключаться или не ответил за 2 секунды: отключите его и подключите снова; «tintora-cli phone probe» скажет, что он видит.</translation>
    </message>
    <message>
        <source>&quot;tintora-cli phone probe&quot; says what it sees; please send its output with a report.</source>
        <translation>«tintora-cli phone probe» скажет, что он видит; пожалуйста, пришлите его вывод вместе с сообщением об ошибке.</translation>
    </message>
    <message>
        <source>Windows reaches the phone through its WinUSB driver, bound once to the phone&apos;s &quot;Motorola Test Command&quot; interface with a driver installer such as Zadig: Options &gt; List All Devices, choose &quot;Motorola Test Command&quot;, choose WinUSB, Install Driver. Then unplug the phone and plug it in again.</source>
        <translation>Windows обращается к телефону через драйвер WinUSB, который один раз привязывают к интерфейсу телефона «Motorola Test Command» установщиком драйверов, например Zadig: Options &gt; List All Devices, выберите «Motorola Test Command», выберите WinUSB, Install Driver. Затем отключите телефон и подключите его снова.</translation>
    </message>
    <message>
        <source>The preview is at its largest size, %1x</source>
        <translation>Просмотр уже самого большого размера, %1x</translation>
    </message>
    <message>
        <source>The preview is at %1x: a larger size would not fit the screen</source>
        <translation>Просмотр в %1x: больший размер не поместится на экране</translation>
    </message>
    <message>
        <source>The preview is at its smallest size, 1x</source>
        <translation>Просмотр уже самого маленького размера, 1x</translation>
    </message>
    <message>
        <source>The picture is %1 x %2 pixels and has to be held whole while it is read, which takes more than the %3 MiB a picture may use.</source>
        <translation>Картинка размером %1 x %2 пикселей при чтении хранится целиком, а это больше %3 МиБ, которые может занять картинка.</translation>
    </message>
    <message>
        <source>Lc %1, needs Lc %2</source>
        <translation>Lc %1, нужно Lc %2</translation>
    </message>
    <message>
        <source>%1 : 1, needs %2 : 1</source>
        <translation>%1 : 1, нужно %2 : 1</translation>
    </message>
    <message>
        <source>%1: hard to read on %2 (%3)</source>
        <translation>%1: трудно читать на экране «%2» (%3)</translation>
    </message>
    <message>
        <source>The picture is %1 x %2 pixels, stored in several scans (progressive) and larger than %3 MiB whole: it was read at 1/%4 size</source>
        <translation>Картинка размером %1 x %2 пикселей сохранена в несколько проходов (прогрессивная) и целиком занимает больше %3 МиБ: она прочитана в 1/%4 натуральной величины</translation>
    </message>
</context>
</TS>

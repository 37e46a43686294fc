#include "languagetables.h"

#include <cstring>

namespace tintora {

QString Bilingual::text(Language language) const
{
    return QString::fromUtf8(language == kRussian ? russian : english);
}

const std::array<Caption, 22> MainWindowCaptions = {{
    {"File1", {"&Файл", "&File"}},
    {"N3", {"Загрузить &фоновую картинку", "&Load background image"}},
    {"Exit1", {"&Выход", "E&xit"}},
    {"N4", {"&Конфигурация", "&Configuration"}},
    {"N5", {"&Язык", "&Language"}},
    {"N6", {"&Русский", "&Русский"}},
    {"N7", {"&English", "&English"}},
    {"N8", {"&Настройки...", "&Settings..."}},
    {"N9", {"&Инструменты", "&Tools"}},
    {"spcolorsch1", {"&Активировать spcolor.sch", "&Activate spcolor.sch"}},
    {"Hex1", {"&Hex редактор", "&Hex editor"}},
    {"N10", {"По&мощь", "&Help"}},
    {"N11", {"&О программе...", "&About..."}},
    {"N12", {"&Справка...", "H&elp..."}},
    {"AboutBox", {"О программе", "About"}},
    {"Button3", {"Загрузить фоновую картинку", "Load background image"}},
    {"Button4", {"Убрать фоновую картинку", "Clear background image"}},
    {"GroupBox1", {"Параметры", "Parameters"}},
    {"Label1", {"Размер экрана", "Screen size"}},
    {"Label2", {"Цвет:", "Color:"}},
    {"Label3", {"Прозрачность:", "Transparency:"}},
    {"LabeledEdit1Label", {"Имя цветовой палитры", "Colour style name"}},
}};

const std::array<ModeCaption, 6> ModeCaptions = {{
    {"N13", {"По&дключить", "Co&nnect"}, {"&Отключить", "&Disconnect"}},
    {"StatusBar1",
     {"Статус : Работа с компьютером", "Status : Work with a computer"},
     {"Статус : Работа с телефоном", "Status : Work with phone"}},
    {"Button1", {"Открыть spcolor.sch", "Open spcolor.sch"},
     {"Читать spcolor.sch", "Read spcolor.sch"}},
    {"Button2", {"Сохранить spcolor.sch", "Save spcolor.sch"},
     {"Записать spcolor.sch", "Write spcolor.sch"}},
    // English phone mode has no dots here; the other three columns do.
    {"Open1", {"&Открыть spcolor.sch...", "&Open spcolor.sch..."},
     {"&Читать spcolor.sch...", "&Read spcolor.sch"}},
    {"Save1", {"&Сохранить spcolor.sch", "&Save spcolor.sch"},
     {"&Записать spcolor.sch", "&Write spcolor.sch"}},
}};

const std::array<Caption, 6> EditorCaptions = {{
    {"New1", {"&Новая палитра", "&New"}},
    {"SaveAs1", {"Сохранить &как...", "Save &As..."}},
    {"RecentFiles1", {"&Последние файлы", "Recent &files"}},
    {"Edit1", {"&Правка", "&Edit"}},
    {"Undo1", {"&Отменить", "&Undo"}},
    {"Redo1", {"&Повторить", "&Redo"}},
}};

const std::array<Caption, 5> PreviewMenuCaptions = {{
    {"View1", {"&Вид", "&View"}},
    {"PreviewSize1", {"&Размер просмотра", "Preview &size"}},
    {"ExportPreview1", {"Сохранить п&росмотр", "&Export preview"}},
    {"ExportScreen1", {"&Текущий экран...", "&Current screen..."}},
    {"ExportAllScreens1", {"&Все девять экранов...", "&All nine screens..."}},
}};

const std::array<Caption, 20> SettingsDialogCaptions = {{
    {"OKBottomDlg", {"Настройки", "Settings"}},
    {"CancelBtn", {"Отмена", "Cancel"}},
    {"Label1", {"Имя оператора:", "Provider name:"}},
    {"GroupBox1", {"Основной экран", "Main Screen"}},
    {"GroupBox2", {"Предпросмотр", "Preview"}},
    {"RadioGroup1", {"Часы", "Clock"}},
    {"RadioGroup1Item0", {"Аналоговые", "Analog"}},
    {"RadioGroup1Item1", {"Цифровые", "Digital"}},
    {"RadioGroup2", {"Формат даты", "Date format"}},
    {"RadioGroup2Item3", {"Не показывать", "Don't show"}},
    {"RadioGroup3", {"Имитировать нажатие", "Imitation of pressing"}},
    {"RadioGroup3Item0", {"Левая софт-клавиша", "Left soft-key"}},
    {"RadioGroup3Item1", {"Меню", "Menu"}},
    {"RadioGroup3Item2", {"Правая софт-клавиша", "Right soft-key"}},
    {"RadioGroup3Item3", {"Не нажимать", "Don't press"}},
    {"GroupBox3", {"Ежедневник", "Datebook"}},
    {"Label2", {"Выбрать дату", "Choose date"}},
    {"RadioGroup4", {"Показывать", "Default"}},
    {"RadioGroup4Item0", {"Месяц", "Month View"}},
    {"RadioGroup4Item1", {"Неделя", "Week View"}},
}};

QString EditorCaption(const char *control, Language language)
{
    for (const Caption &caption : EditorCaptions) {
        if (std::strcmp(caption.control, control) == 0)
            return caption.text.text(language);
    }
    return QString();
}

QString MissingRecentFileText(Language language, const QString &path)
{
    return Bilingual{"Файл %1 не найден и убран из списка последних файлов.",
                     "File %1 not found; it is removed from the recent files."}
        .text(language)
        .arg(path);
}

QString AboutBoxTitle(Language language)
{
    for (const Caption &caption : MainWindowCaptions) {
        if (std::strcmp(caption.control, "AboutBox") == 0)
            return caption.text.text(language);
    }
    return QString();
}

}  // namespace tintora

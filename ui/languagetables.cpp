// Every caption of the windows in Russian and English, by control name.
#include "languagetables.h"

#include "design/roles.h"
#include "scheme/catalogue.h"

#include <cstring>

namespace tintora {

QString Bilingual::text(Language language) const
{
    return QString::fromUtf8(language == kRussian ? russian : english);
}

const std::array<Caption, 22> MainWindowCaptions = {{
    {"fileMenu", {"&Файл", "&File"}},
    {"loadBackgroundAction", {"Загрузить &фоновую картинку", "&Load background image"}},
    {"exitAction", {"&Выход", "E&xit"}},
    {"configurationMenu", {"&Конфигурация", "&Configuration"}},
    {"languageMenu", {"&Язык", "&Language"}},
    {"russianAction", {"&Русский", "&Русский"}},
    {"englishAction", {"&English", "&English"}},
    {"previewSettingsAction", {"&Настройки...", "&Settings..."}},
    {"toolsMenu", {"&Инструменты", "&Tools"}},
    {"activateAction", {"&Активировать spcolor.sch", "&Activate spcolor.sch"}},
    {"hexEditorAction", {"&Hex редактор", "&Hex editor"}},
    {"helpMenu", {"По&мощь", "&Help"}},
    {"aboutAction", {"&О программе...", "&About..."}},
    {"helpContentsAction", {"&Справка...", "H&elp..."}},
    {"AboutDialog", {"О программе", "About"}},
    {"loadBackgroundButton", {"Загрузить фоновую картинку", "Load background image"}},
    {"clearBackgroundButton", {"Убрать фоновую картинку", "Clear background image"}},
    {"parametersGroup", {"Параметры", "Parameters"}},
    {"screenSizeLabel", {"Размер экрана", "Screen size"}},
    {"colourLabel", {"Цвет:", "Color:"}},
    {"transparencyLabel", {"Прозрачность:", "Transparency:"}},
    {"schemeNameLabel", {"Имя цветовой палитры", "Colour style name"}},
}};

const std::array<ModeCaption, 6> ModeCaptions = {{
    {"connectAction", {"По&дключить", "Co&nnect"}, {"&Отключить", "&Disconnect"}},
    {"statusBar",
     {"Статус : Работа с компьютером", "Status : Work with a computer"},
     {"Статус : Работа с телефоном", "Status : Work with phone"}},
    {"openButton", {"Открыть spcolor.sch", "Open spcolor.sch"},
     {"Читать spcolor.sch", "Read spcolor.sch"}},
    {"saveButton", {"Сохранить spcolor.sch", "Save spcolor.sch"},
     {"Записать spcolor.sch", "Write spcolor.sch"}},
    // English phone mode has no dots here; the other three columns do.
    {"openAction", {"&Открыть spcolor.sch...", "&Open spcolor.sch..."},
     {"&Читать spcolor.sch...", "&Read spcolor.sch"}},
    {"saveAction", {"&Сохранить spcolor.sch", "&Save spcolor.sch"},
     {"&Записать spcolor.sch", "&Write spcolor.sch"}},
}};

const std::array<Caption, 7> EditorCaptions = {{
    {"newAction", {"&Новая палитра", "&New"}},
    {"saveAsAction", {"Сохранить &как...", "Save &As..."}},
    {"recentFilesMenu", {"&Последние файлы", "Recent &files"}},
    {"editMenu", {"&Правка", "&Edit"}},
    {"undoAction", {"&Отменить", "&Undo"}},
    {"redoAction", {"&Повторить", "&Redo"}},
    {"phoneFolderAction", {"&Папка на телефоне...", "&Phone folder..."}},
}};

const std::array<Caption, 5> PreviewMenuCaptions = {{
    {"viewMenu", {"&Вид", "&View"}},
    {"previewSizeMenu", {"&Размер просмотра", "Preview &size"}},
    {"exportPreviewMenu", {"Сохранить п&росмотр", "&Export preview"}},
    {"exportScreenAction", {"&Текущий экран...", "&Current screen..."}},
    {"exportAllScreensAction", {"&Все экраны...", "&All screens..."}},
}};

const std::array<Caption, 3> DesignCaptions = {{
    {"newFromPictureAction", {"Новая по карт&инке...", "New from &picture..."}},
    {"anotherSuggestionAction", {"&Другой вариант", "Another su&ggestion"}},
    {"contrastAction", {"&Контраст", "&Contrast"}},
}};

QString RoleTooltip(int element, Language language)
{
    return Bilingual{"Роль: %1", "Role: %1"}.text(language).arg(RoleName(RoleOf(element), language));
}

const std::array<Caption, 3> ViewMenuCaptions = {{
    {"zoomInAction", {"У&величить", "Zoom &in"}},
    {"zoomOutAction", {"У&меньшить", "Zoom &out"}},
    {"markSelectionAction", {"&Отмечать выбранный элемент", "&Mark the selected element"}},
}};

QString ZoomDoesNotFitText(Language language, int zoom, QSize window, QSize room)
{
    return Bilingual{"При %1x окно (%2 × %3) не поместится на экране (%4 × %5)",
                     "At %1x the window (%2 x %3) would not fit the screen (%4 x %5)"}
        .text(language)
        .arg(zoom)
        .arg(window.width())
        .arg(window.height())
        .arg(room.width())
        .arg(room.height());
}

QString ElementOnOtherScreenText(Language language, int element, int screen)
{
    return Bilingual{"%1 — на экране «%2», двойной щелчок — перейти туда",
                     "%1 — on \"%2\", double-click to go there"}
        .text(language)
        .arg(language == kRussian ? RussianElementName(element) : EnglishElementName(element),
             ScreenCaption(screen, language));
}

QString UndrawnScreenText(Language language)
{
    return Bilingual{"Эти элементы нигде не рисуются, кроме выходных дней в «Ежедневнике»",
                     "These elements are drawn nowhere, except the days off on Datebook"}
        .text(language);
}

QString UndrawnScreenSkippedText(Language language, int screen)
{
    return Bilingual{"Экран «%1» не сохранён: на нём не рисуется ни один элемент",
                     "Screen \"%1\" not written: it draws none of its elements"}
        .text(language)
        .arg(ScreenCaption(screen, language));
}

const std::array<Caption, 20> SettingsDialogCaptions = {{
    {"PreviewSettingsDialog", {"Настройки", "Settings"}},
    {"cancelButton", {"Отмена", "Cancel"}},
    {"providerNameLabel", {"Имя оператора:", "Provider name:"}},
    {"mainScreenBox", {"Основной экран", "Main Screen"}},
    {"previewBox", {"Предпросмотр", "Preview"}},
    {"clockBox", {"Часы", "Clock"}},
    {"analogueClockRadio", {"Аналоговые", "Analog"}},
    {"digitalClockRadio", {"Цифровые", "Digital"}},
    {"dateFormatBox", {"Формат даты", "Date format"}},
    {"noDateRadio", {"Не показывать", "Don't show"}},
    {"softKeyBox", {"Имитировать нажатие", "Imitation of pressing"}},
    {"leftSoftKeyRadio", {"Левая софт-клавиша", "Left soft-key"}},
    {"menuKeyRadio", {"Меню", "Menu"}},
    {"rightSoftKeyRadio", {"Правая софт-клавиша", "Right soft-key"}},
    {"noKeyRadio", {"Не нажимать", "Don't press"}},
    {"datebookBox", {"Ежедневник", "Datebook"}},
    {"chooseDateLabel", {"Выбрать дату", "Choose date"}},
    {"datebookViewBox", {"Показывать", "Default"}},
    {"monthViewRadio", {"Месяц", "Month View"}},
    {"weekViewRadio", {"Неделя", "Week View"}},
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

QString PhoneFolderLabel(Language language)
{
    return Bilingual{"Папка файла spcolor.sch на телефоне, например /a/mobile/system/:",
                     "Folder of spcolor.sch on the phone, such as /a/mobile/system/:"}
        .text(language);
}

QString ReplaceExportsText(Language language, int existing, int total, const QString &first,
                           const QString &last)
{
    return Bilingual{"Уже есть файлов: %1 из %2 (%3 .. %4).\rЗаменить их?",
                     "Files already there: %1 of %2 (%3 .. %4).\rReplace them?"}
        .text(language)
        .arg(existing)
        .arg(total)
        .arg(first, last);
}

QString ExportedText(Language language, const QString &written)
{
    return Bilingual{"Записано: %1", "Written: %1"}.text(language).arg(written);
}

QString AboutDialogTitle(Language language)
{
    for (const Caption &caption : MainWindowCaptions) {
        if (std::strcmp(caption.control, "AboutDialog") == 0)
            return caption.text.text(language);
    }
    return QString();
}

}  // namespace tintora

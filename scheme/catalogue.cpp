#include "catalogue.h"

namespace tintora {

namespace {

const std::array<const char *, kElementCount + 1> kEnglishNames = {
    nullptr,
    "Main Screen Background",
    "Main text",
    "Main text when selected",
    "Border of the text on the main screen",
    "Analog clock",
    "Line on top of Bottom Bar",
    "Bottom Bar(top)",
    "Bottom Bar(bottom)",
    "Text in Bottom Bar",
    "Bottom Bar(top)(When clicked)",
    "Bottom Bar(bottom)(When clicked)",
    "Text in Bottom Bar(When clicked)",
    "Background of Nine Icon",
    "The top of Title Bar",
    "The bottom of Title Bar",
    "Text in Title Bar",
    "Icon border",
    "Background of Select Menu",
    "Line in Menu border(outside)",
    "Line in Menu border(inside)",
    "Select Menu(top)",
    "Select Menu(Bottom)",
    "ScrollBar",
    "ScrollBar Button(top)",
    "ScrollBar Button(bottom)",
    "1e line of scrollbar",
    "2e line of scrollbar",
    "Notice Window Title(top)",
    "Notice Window Title(bottom)",
    "Text in Notice Window Title",
    "Line surrounding Title Bar",
    "Underline in submenu",
    "Underline in submenu(selected)",
    "Background for week",
    "Main table in calendar",
    "Background for \"today\"",
    "Text for \"today\"",
    "Horizontal line in calendar",
    "Vertical line in calendar",
    "Cursor",
    "Background of iTap line",
    "Border when input",
    "Background of the information at multimedia",
    "Text at the discription of the pictures/ringtones/video",
    "TrackBar Button",
    "Right line in TrackBar Button",
    "Upeer and left line in TrackBar Button",
    "TrackBar(top)",
    "TrackBar(bottom)",
    "Links in sound/pictures menu (certain branded flexes only)",
    "Links in sound/pictures menu when highlighted (certain branded flexes only)",
    "Unknown 1",
    "Unknown 2",
    "Unknown 3",
    "(\"Emergency call\" window) - The top of Title Bar",
    "(\"Emergency call\" window) - The bottom of Title Bar",
    "Unknown 6",
    "Unknown 7",
    "Unknown 8",
    "Unknown 9",
    "Unknown 10",
    "Unknown 11",
    "(Datebook) - Text of the day off",
};

// Elements 50 and 51 have no Russian name of their own.
const std::array<const char *, kElementCount + 1> kRussianNames = {
    nullptr,
    "Фон основного экрана",
    "Основной текст",
    "Основной текст когда он выбран",
    "Граница текста на основном экране",
    "Стрелки аналоговых часов",
    "Линия над полосой софт-клавиш",
    "Полоса софт-клавиш (верх)",
    "Полоса софт-клавиш (низ)",
    "Текст в нижней полосе",
    "Полоса софт-клавиш (верх)(когда выделено)",
    "Полоса софт-клавиш (низ)(когда выделено)",
    "Текст в нижней полосе (когда выделено)",
    "Фон иконок",
    "Заголовок окна (верх)",
    "Заголовок окна (низ)",
    "Текст в заголовке окна",
    "Граница иконок",
    "Фон выбранного меню",
    "Граница линии (внешняя рамка окна) меню",
    "Граница линии (внутренняя рамка окна) меню",
    "Выбранный пункт меню (верх)",
    "Выбранный пункт меню (низ)",
    "Полоса прокрутки",
    "Кнопка полосы прокрутки (верх)",
    "Кнопка полосы прокрутки (низ)",
    "Верхняя линия кнопки полосы прокрутки",
    "Нижняя линия кнопки полосы прокрутки",
    "Заголовок окна уведомления (верх)",
    "Заголовок окна уведомления (низ)",
    "Текст в заголовке окна уведомления",
    "Граница заголовка окна",
    "Линия подчеркивания в подменю",
    "Линия подчеркивания в подменю (когда выделено)",
    "Фон для недели",
    "Таблица в календаре",
    "Фон для \"сегодня\"",
    "Текст для \"сегодня\"",
    "Горизонтальная линия в календаре",
    "Вертикальная линия в календаре",
    "Курсор",
    "Фон строки iTap",
    "Граница ввода",
    "Фон при воспроизведении мультимедиа",
    "Описание картинки/мелодии/видео",
    "Кнопка полосы прокрутки",
    "Правая линия на кнопке полосы прокрутки",
    "Верхняя и левая линия полосы прокрутки",
    "Полоса прокрутки (верх)",
    "Полоса прокрутки (низ)",
    "Links in sound/pictures menu (certain branded flexes only)",
    "Links in sound/pictures menu when highlighted (certain branded flexes only)",
    "Неизвестный 1",
    "Неизвестный 2",
    "Неизвестный 3",
    "(Экстренный вызов) - Заголовок (верх)",
    "(Экстренный вызов) - Заголовок (низ)",
    "Неизвестный 6",
    "Неизвестный 7",
    "Неизвестный 8",
    "Неизвестный 9",
    "Неизвестный 10",
    "Неизвестный 11",
    "(Ежедневник) - Текст выходного дня",
};

bool IsElement(int element)
{
    return element >= 1 && element <= kElementCount;
}

}  // namespace

const std::array<ScreenGroup, kScreenCount> ScreenGroupTable = {{
    {"Основной экран", "Main screen", 1, 12},
    {"Главное меню (Иконки)", "Main menu (Icons)", 13, 5},
    {"Выбор элемента меню", "Select menu item", 18, 10},
    {"Окно уведомления", "Notice window", 28, 4},
    {"Выбор элемента подменю", "Select submenu item", 32, 2},
    {"Ежедневник", "Datebook", 34, 6},
    {"Ввод сообщения", "New message", 40, 3},
    {"Мультимедиа", "Multimedia", 43, 9},
    {"Другие...", "Others...", 52, 12},
}};

// Odd positions hold the top colour of a band, the next position its bottom.
const std::array<int, 14> LinkedPairTable = {7, 8, 10, 11, 14, 15, 21, 22, 24, 25, 28, 29, 48, 49};

QString EnglishElementName(int element)
{
    return IsElement(element) ? QString::fromUtf8(kEnglishNames[element]) : QString();
}

QString RussianElementName(int element)
{
    return IsElement(element) ? QString::fromUtf8(kRussianNames[element]) : QString();
}

QString ScreenCaption(int screen, Language language)
{
    if (screen < 0 || screen >= kScreenCount)
        return QString();
    const ScreenGroup &group = ScreenGroupTable[screen];
    return QString::fromUtf8(language == kRussian ? group.russianCaption : group.englishCaption);
}

bool IsLinkedElement(int element)
{
    for (int linked : LinkedPairTable) {
        if (linked == element)
            return true;
    }
    return false;
}

void SyncLinkedTransparency(ColourScheme &scheme, int element)
{
    for (std::size_t p = 1; p <= LinkedPairTable.size(); ++p) {
        if (LinkedPairTable[p - 1] != element)
            continue;
        const int partner = p % 2 == 1 ? element + 1 : element - 1;
        scheme.entry(partner).transparency = scheme.entry(element).transparency;
    }
}

int ScreenOfElement(int element)
{
    for (int screen = 0; screen < kScreenCount; ++screen) {
        const ScreenGroup &group = ScreenGroupTable[screen];
        if (element >= group.firstElement && element < group.firstElement + group.count)
            return screen;
    }
    return -1;
}

}  // namespace tintora

// The words for what the lower layers report, in both interface languages: the Russian ones
// come from the translation, so a text missing from it, or translated anew, shows here.
#include "../scheme/tablerows.h"

#include "scheme/catalogue.h"
#include "ui/interfacelanguage.h"
#include "ui/languagetables.h"
#include "ui/wording.h"

#include <gtest/gtest.h>

#include <functional>

namespace tintora {
namespace {

class Texts : public ::testing::Test {
protected:
    void TearDown() override { translation_.use(QStringLiteral("en")); }
    void inRussian() { translation_.use(QStringLiteral("ru")); }
    void in(const char *code) { translation_.use(QString::fromLatin1(code)); }

private:
    InterfaceTranslation translation_;
};

TEST_F(Texts, RussianElementNamesAsTheTablesHaveThem)
{
    inRussian();
    const std::vector<QStringList> rows = ReadRows("elements.tsv", 9);
    ASSERT_EQ(rows.size(), std::size_t(kElementCount));
    for (const QStringList &row : rows)
        EXPECT_EQ(ElementName(row[0].toInt()), row[8]) << "element " << row[0].toStdString();
    EXPECT_TRUE(ElementName(0).isEmpty());
    EXPECT_TRUE(ElementName(kElementCount + 1).isEmpty());
}

TEST_F(Texts, RussianScreenCaptionsAsTheTablesHaveThem)
{
    inRussian();
    const std::vector<QStringList> rows = ReadRows("screens.tsv", 5);
    ASSERT_EQ(rows.size(), std::size_t(kScreenCount));
    for (const QStringList &row : rows)
        EXPECT_EQ(ScreenCaption(row[0].toInt()), row[4]) << "screen " << row[0].toStdString();
    EXPECT_TRUE(ScreenCaption(kScreenCount).isEmpty());
}

TEST_F(Texts, OutcomesInBothLanguages)
{
    ContrastPlace weak;
    weak.element = 2;
    weak.ratioAt = {0, 0, 5, 17};
    weak.ratio = 1.004;
    weak.apca = -3.21;
    ContrastPlace hands = weak;
    hands.element = 5;
    hands.bound = 3;
    // The sentence for a reader: its figures cut, never rounded up to pass, and an Lc bound
    // judged at its own spot.
    ContrastPlace pale = weak;
    pale.ratio = 1.5;
    ContrastPlace nearly = weak;
    nearly.ratio = 4.4999;
    ContrastPlace faint = weak;
    faint.boundIsLc = true;
    faint.bound = 60;
    faint.apca = -32.9;
    faint.lcAt = {0, 1, 40, 40};
    const struct {
        const char *what;
        std::function<QString()> text;
        const char *english;
        const char *russian;
    } cases[] = {
        {"contrast line", [&] { return ContrastLine(weak); },
         "2 Main text: 1.00:1, APCA Lc -3.2, screen 0 Main screen at (5, 17), needs 4.5:1",
         "2 Основной текст: 1.00:1, APCA Lc -3.2, экран 0 Основной экран в (5, 17), нужно 4.5:1"},
        {"contrast line of the hands", [&] { return ContrastLine(hands); },
         "5 Analog clock: 1.00:1, APCA Lc -3.2, screen 0 Main screen at (5, 17), needs 3:1",
         "5 Стрелки аналоговых часов: 1.00:1, APCA Lc -3.2, экран 0 Основной экран в (5, 17), нужно 3:1"},
        {"contrast sentence", [&] { return ContrastSentence(pale); },
         "Main text: hard to read on Main screen (1.5 : 1, needs 4.5 : 1)",
         "Основной текст: трудно читать на экране «Основной экран» (1.5 : 1, нужно 4.5 : 1)"},
        {"contrast sentence just below", [&] { return ContrastSentence(nearly); },
         "Main text: hard to read on Main screen (4.49 : 1, needs 4.5 : 1)",
         "Основной текст: трудно читать на экране «Основной экран» (4.49 : 1, нужно 4.5 : 1)"},
        {"contrast sentence of an Lc bound", [&] { return ContrastSentence(faint); },
         "Main text: hard to read on Main menu (Icons) (Lc 32, needs Lc 60)",
         "Основной текст: трудно читать на экране «Главное меню (Иконки)» (Lc 32, нужно Lc 60)"},
        {"role", [] { return RoleTooltip(36); }, "Role: \"Today\" background", "Роль: Фон «сегодня»"},
        {"unseen role", [] { return RoleName(Role::Unseen); }, "Not shown in the preview",
         "Не показан в просмотре"},
        {"element on another screen", [] { return ElementOnOtherScreenText(50, 7); },
         "Links in sound/pictures menu (certain branded flexes only) — on \"Multimedia\", "
         "double-click to go there",
         "Links in sound/pictures menu (certain branded flexes only) — на экране «Мультимедиа», "
         "двойной щелчок — перейти туда"},
        {"no suggestion", [] { return NoReadableSuggestionText(); },
         "No readable scheme could be made for this picture",
         "Для этой картинки не удалось подобрать читаемую схему"},
        {"background progress", [] { return BackgroundProgressText(0.427); },
         "Reading the background picture: 42 % (Esc cancels)",
         "Читается фоновая картинка: 42 % (Esc — отменить)"},
        {"inexact argument", [] { return InexactArgumentText("/tmp/\uFFFD.sch"); },
         "The name /tmp/\uFFFD.sch is not valid UTF-8 and cannot be kept exactly; no file of that "
         "name is read or written",
         "Имя /tmp/\uFFFD.sch не в кодировке UTF-8 и не может быть сохранено точно; файл с таким "
         "именем не читается и не записывается"},
        {"phone gone", [] { return PhoneGoneText(3); },
         "The phone has gone (Phone restarting). Working with the computer now.",
         "Связь с телефоном потеряна (Телефон перезагружается). Теперь — работа с компьютером."},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text(), QString::fromUtf8(c.english)) << c.what;
    inRussian();
    for (const auto &c : cases)
        EXPECT_EQ(c.text(), QString::fromUtf8(c.russian)) << c.what;
}

JpegError Refusal(JpegError::Kind kind, const char *path, std::uint64_t count = 0, int width = 0, int height = 0)
{
    JpegError error;
    error.kind = kind;
    error.path = QString::fromLatin1(path);
    error.count = count;
    error.width = width;
    error.height = height;
    return error;
}

// A picture's refusal in both languages; from a file it names the file. The decoder's own
// words stay English inside the Russian, and the memory budget's refusal has no Russian yet.
TEST_F(Texts, PictureRefusalsInBothLanguages)
{
    JpegError notJpeg = Refusal(JpegError::Kind::NotJpeg, "/tmp/shot.png");
    notJpeg.firstBytes[0] = 0x89;
    notJpeg.firstBytes[1] = 0x50;
    JpegError damaged = Refusal(JpegError::Kind::Decoder, "");
    damaged.detail = QStringLiteral("Bogus marker length");
    JpegError madeUp = Refusal(JpegError::Kind::MadeUp, "", 33, 512, 512);
    madeUp.total = 4096;
    JpegError missing = Refusal(JpegError::Kind::NotOpened, "/tmp/none.jpg");
    missing.detail = QStringLiteral("No such file or directory");
    const struct {
        JpegError error;
        const char *english;
        const char *russian;
    } cases[] = {
        {notJpeg, "/tmp/shot.png: Not a JPEG file: starts with 0x89 0x50",
         "/tmp/shot.png: Это не файл JPEG: он начинается с байтов 0x89 0x50"},
        {Refusal(JpegError::Kind::Empty, ""), "Empty input file", "Файл пуст"},
        {damaged, "Bogus marker length", "Картинка JPEG повреждена или не поддерживается (Bogus marker length)"},
        {Refusal(JpegError::Kind::FileEnded, "/tmp/cut.jpg", 300),
         "/tmp/cut.jpg: the file ends at byte 300, before its picture",
         "/tmp/cut.jpg: файл обрывается на байте 300, раньше конца картинки"},
        {madeUp,
         "The JPEG file is damaged: its data lacks at least 33 of the 4096 blocks of its 512 x 512 picture, which "
         "would be largely made up. (Up to 1 block in 32, and no more than 65536 blocks, may be missing.)",
         "Файл JPEG повреждён: в его данных нет по меньшей мере 33 из 4096 блоков картинки 512 x 512, и такая "
         "картинка была бы во многом выдумана. (Может не хватать не больше 1 блока из 32 и не больше 65536 блоков.)"},
        {Refusal(JpegError::Kind::TooMuchWork, "", 235, 4096, 4144),
         "The JPEG file is damaged: decoding its 235 bytes into a picture of 4096 x 4144 pixels would take far more "
         "work than a real picture of that size needs.",
         "Файл JPEG повреждён: чтобы получить из его 235 байт картинку 4096 x 4144 пикселей, понадобилось бы намного "
         "больше работы, чем нужно настоящей картинке такого размера."},
        {Refusal(JpegError::Kind::TooLarge, "", 0, 65535, 10),
         "The picture is 65535 x 10 pixels; pictures wider or taller than 65500 pixels cannot be loaded.",
         "Картинка размером 65535 x 10 пикселей; картинки шире или выше 65500 пикселей не загружаются."},
        {Refusal(JpegError::Kind::NoMemory, "", 0, 100, 200), "Not enough memory for a picture of 100 x 200 pixels.",
         "Не хватает памяти для картинки размером 100 x 200 пикселей."},
        {Refusal(JpegError::Kind::OverBudget, "", 0, 10000, 10000),
         "The picture is 10000 x 10000 pixels and stored in several scans (progressive), so it has to be held whole "
         "while it is decoded, which takes more than the 128 MiB a picture may use.",
         "The picture is 10000 x 10000 pixels and stored in several scans (progressive), so it has to be held whole "
         "while it is decoded, which takes more than the 128 MiB a picture may use."},
        {Refusal(JpegError::Kind::HeldWholeOverBudget, "/tmp/wide.png", 0, 8000, 8000),
         "/tmp/wide.png: The picture is 8000 x 8000 pixels and has to be held whole while it is read, which takes "
         "more than the 128 MiB a picture may use.",
         "/tmp/wide.png: Картинка размером 8000 x 8000 пикселей при чтении хранится целиком, а это больше 128 МиБ, "
         "которые может занять картинка."},
        {Refusal(JpegError::Kind::Cancelled, ""), "Reading the picture was cancelled.", "Чтение картинки прервано."},
        {Refusal(JpegError::Kind::NotRegularFile, "/tmp/pipe.jpg"),
         "Cannot open /tmp/pipe.jpg: not a regular file but a device, a pipe or a socket",
         "Не могу открыть файл /tmp/pipe.jpg: это не обычный файл, а устройство, канал или сокет"},
        {missing, "Cannot open /tmp/none.jpg: No such file or directory",
         "Не могу открыть файл /tmp/none.jpg: Нет такого файла или каталога"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(JpegErrorText(c.error), QString::fromUtf8(c.english)) << c.english;
    inRussian();
    for (const auto &c : cases)
        EXPECT_EQ(JpegErrorText(c.error), QString::fromUtf8(c.russian)) << c.english;
}

// The settings window's report was English in a Russian interface, and gave no reason; then
// the system's reason stayed in the system's language. An uncommon reason comes as it is.
TEST_F(Texts, UnableToWriteSpeaksTheInterfaceLanguageAndGivesTheReason)
{
    const struct {
        const char *language;
        const char *reason;
        const char *text;
    } cases[] = {
        {"ru", "Permission denied", "Не удаётся записать /opt/t.ini: Отказано в доступе"},
        {"en", "Permission denied", "Unable to write to /opt/t.ini: Permission denied"},
        {"en", "Отказано в доступе", "Unable to write to /opt/t.ini: Permission denied"},
        {"ru", "There is not enough space on the disk.",
         "Не удаётся записать /opt/t.ini: На устройстве не осталось свободного места"},
        {"ru", "Stale file handle", "Не удаётся записать /opt/t.ini: Stale file handle"},
    };
    for (const auto &c : cases) {
        in(c.language);
        EXPECT_EQ(UnableToWriteText("/opt/t.ini", QString::fromUtf8(c.reason)),
                  QString::fromUtf8(c.text));
    }
}

// Each state the phone link reports has a reason of its own in Russian.
TEST_F(Texts, EveryNoPhoneReasonIsTranslated)
{
    const int states[] = {kPhoneNotAnswering, kNoPhoneLibrary, 0, 2, 3, 4, 5, 7, 6};
    for (int state : states) {
        const QString english = NoPhoneReason(state);
        inRussian();
        EXPECT_FALSE(NoPhoneReason(state).isEmpty()) << state;
        EXPECT_NE(NoPhoneReason(state), english) << state;
        in("en");
    }
    EXPECT_TRUE(NoPhoneReason(1).isEmpty());
}

// The phone's state at a glance: each state has its own word, its whole reason as the tooltip
// and its own advice in the box a click opens, in both languages. Catches a state shown with
// another's word, reason or advice, and a text left out of the translation.
TEST_F(Texts, PhoneStateWordTooltipAndAdviceInBothLanguages)
{
    const struct {
        int state;
        bool connected;
        const char *word[2];    // English, Russian
        const char *tip[2];     // a part of the tooltip
        const char *advice[2];  // a part of the box's text after the reason
    } rows[] = {
        {kNoPhoneLibrary, false, {"No phone library", "Нет библиотеки связи с телефоном"},
         {"No phone library", "Нет библиотеки связи с телефоном"},
         {"TINTORA_P2KAPI may name it", "её можно указать в TINTORA_P2KAPI"}},
        {kPhoneNotAnswering, false, {"Phone not answering", "Телефон не отвечает"},
         {"No phone in command mode answered.", "Телефон в командном режиме не ответил."},
         {"wait until it is back on its main screen", "дождитесь его основного экрана"}},
        {0, false, {"No phone", "Нет телефона"}, {"vendor 22b8", "производитель 22b8"},
         {"a charging-only cable carries no data", "кабель только для зарядки данных не передаёт"}},
        {1, false, {"Phone ready", "Телефон готов"}, {"Phone ready", "Телефон готов"},
         {"Connect enters phone mode", "«Подключить» включает работу с телефоном"}},
        {1, true, {"Phone connected", "Телефон подключён"}, {"Phone connected", "Телефон подключён"},
         {"Disconnect goes back", "«Отключить» возвращает"}},
        {2, false, {"Phone in modem mode", "Телефон в режиме модема"},
         {"is switched to command mode with AT+MODE=8", "переключается в командный режим командой AT+MODE=8"},
         {"Tintora then sends the modem AT+MODE=8", "Тогда Tintora посылает модему AT+MODE=8"}},
        {3, false, {"Phone restarting", "Телефон перезагружается"}, {"Phone restarting", "Телефон перезагружается"},
         {"comes back in its command mode", "возвращается в командном режиме"}},
#if defined(Q_OS_WIN)
        {4, false, {"Phone not allowed", "Нет доступа к телефону"}, {"WinUSB", "WinUSB"},
         {"Options > List All Devices", "Options > List All Devices"}},
#else
        {4, false, {"Phone not allowed", "Нет доступа к телефону"},
         {"install the udev rule", "установите правило udev"},
         {"/usr/lib/udev/rules.d/", "/usr/lib/udev/rules.d/"}},
#endif
        {5, false, {"Phone in mass-storage mode", "Телефон в режиме накопителя"},
         {"eject its memory card", "извлеките его карту памяти"},
         {"A memory card cannot carry", "Через карту памяти команды телефону не передать"}},
        {7, false, {"Modem switch failed", "Модем не переключился"},
         {"did not switch to command mode", "не переключился в командный режим"},
         {"refused the switch", "отказался переключаться"}},
        {6, false, {"Unknown phone mode", "Неизвестный режим телефона"},
         {"unknown mode", "в неизвестном режиме"}, {"please send its output", "пришлите его вывод"}},
    };
    for (int language = 0; language < 2; ++language) {
        in(language == 0 ? "en" : "ru");
        for (const auto &row : rows) {
            SCOPED_TRACE(testing::Message() << "state " << row.state << (row.connected ? " connected" : "")
                                            << " language " << language);
            const PhoneStateTexts shown = PhoneState(row.state, row.connected);
            EXPECT_EQ(shown.word, QString::fromUtf8(row.word[language]));
            EXPECT_TRUE(shown.tooltip.contains(QString::fromUtf8(row.tip[language]))) << shown.tooltip.toStdString();
            // The box opens with the whole reason, then what to do.
            EXPECT_TRUE(shown.advice.startsWith(shown.tooltip + QStringLiteral("\r\r")));
            EXPECT_TRUE(shown.advice.contains(QString::fromUtf8(row.advice[language])))
                << shown.advice.toStdString();
        }
    }
    // The Linux box says how to reload the rules.
#if !defined(Q_OS_WIN)
    EXPECT_TRUE(PhoneState(4, false).advice.contains("sudo udevadm control --reload"));
#endif
}

// [Options] Language: "English" exactly selects English; any other value, or none, Russian.
TEST(StoredLanguage, OnlyExactlyEnglishSelectsEnglish)
{
    const std::pair<const char *, const char *> cases[] = {
        {"English", "en"}, {"Russian", "ru"}, {"english", "ru"},
        {"ENGLISH", "ru"}, {"German", "ru"},  {"", "ru"},
    };
    for (const auto &[stored, code] : cases)
        EXPECT_EQ(LanguageOfStoredName(QString::fromLatin1(stored)), code) << stored;
    EXPECT_EQ(StoredNameOf(QStringLiteral("en")), "English");
    EXPECT_EQ(StoredNameOf(QStringLiteral("ru")), "Russian");
}

}  // namespace
}  // namespace tintora

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
    weak.screen = 0;
    weak.x = 5;
    weak.y = 17;
    weak.ratio = 1.004;
    weak.apca = -3.21;
    ContrastPlace hands = weak;
    hands.element = 5;
    hands.bound = 3;
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

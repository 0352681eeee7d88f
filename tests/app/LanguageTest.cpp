// Every shipped language, with the real windows: each text fits its control
// and uses only characters its font has, the HUD's messages only glyphs of the
// bitmap font; pictures of the menu, the options and the win message are kept
// as test artefacts. And a language without a translation stays English.

#include "AppTestSupport.h"

#include "app/GameTexts.h"
#include "game/Match.h"
#include "game/NetMessage.h"
#include "scene/engine/SceneView.h"
#include "scene/engine/formats/BitmapFontLayout.h"
#include "ui/FlatButton.h"
#include "ui/ReplayListView.h"
#include "ui/SkinButton.h"
#include "ui/SkinCheckBox.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinLineEdit.h"
#include "ui/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QRawFont>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace vtx {
namespace {

const QString kQmFolder = QStringLiteral(VTX_BINARY_DIR "/run/translations");

// The characters of text the font draws itself (no stand-in face).
void expectGlyphs(const QFont& font, const QString& text, const std::string& where) {
    const QRawFont raw = QRawFont::fromFont(font);
    ASSERT_TRUE(raw.isValid()) << where;
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\n' || c == U'\r') continue;
        EXPECT_TRUE(raw.supportsCharacter(c)) << where << ": U+" << std::hex << std::uint32_t(c);
    }
}

void expectButtonFits(const SkinButton* b, const std::string& where) {
    const QFontMetrics fm(b->captionFont());
    const int left = b->captionLeft();
    const int width = fm.horizontalAdvance(b->caption());
    EXPECT_GE(left, 1) << where << " \"" << b->caption().toStdString() << "\"";
    EXPECT_LE(left + width, b->width() - 1) << where << " \"" << b->caption().toStdString() << "\"";
    expectGlyphs(b->captionFont(), b->caption(), where);
}

// A label's text on one line ends before limit (window x).
void expectLabelFits(const QLabel* label, const QString& text, int limit, const std::string& where) {
    const int right = label->x() + label->fontMetrics().horizontalAdvance(text);
    EXPECT_LE(right, limit) << where << " \"" << text.toStdString() << "\"";
    expectGlyphs(label->font(), text, where);
}

class LanguageTest : public ::testing::TestWithParam<QString> {
protected:
    void TearDown() override {
        program.reset();
        installTranslation(kQmFolder, {});
    }
    test::RunCopy run;
    std::unique_ptr<test::Program> program;
};

TEST_P(LanguageTest, EveryTextFitsItsControlAndHasItsGlyphs) {
    const QString language = GetParam();
    ASSERT_EQ(installTranslation(kQmFolder, {language}), language) << "no .qm for " << language.toStdString();
    ASSERT_TRUE(run.ok());
    program = std::make_unique<test::Program>();
    MainWindow& window = *program->mainWindow;
    ASSERT_TRUE(window.startupError().isEmpty());
    const std::string lang = language.toStdString();
    const QString folder = QStringLiteral(VTX_BINARY_DIR "/artifacts/languages/");
    QDir().mkpath(folder);

    // Every text of the rules is translated: the tools' list matches game/'s constants.
    for (const std::string_view text :
         {status::PlayerMove, status::EnemyMove, status::Missed, status::ComputerHit, status::ComputerMissed,
          status::ReadyToPlay, status::PlaceHere, status::PlaceOffBoard, status::PlaceOverlaps,
          status::PlaceTouches, net::OpponentLeftText, net::OpponentGoneText, net::JoiningText,
          net::WaitingForFleetText, net::WaitingForComputerText,
          std::string_view("Ships Arrangement Complete!"), std::string_view("YOU WON THE GAME!"),
          std::string_view("YOU LOST THE GAME!")})
        EXPECT_NE(gameText(text), QString::fromUtf8(text.data(), qsizetype(text.size())))
            << lang << ": \"" << text << "\" is not translated";

    // The menu.
    for (SkinButton* b : {window.singleButton, window.networkButton, window.fightButton, window.optionsButton,
                          window.scoresButton, window.exitButton})
        expectButtonFits(b, lang + " menu");
    EXPECT_NE(window.singleButton->caption(), QStringLiteral("Single")) << lang;
    if (language == QStringLiteral("de")) {
        EXPECT_EQ(window.singleButton->toolTip(), QStringLiteral("Strg+N"));
    }
    // The status line.
    for (const std::string_view text :
         {status::PlayerMove, status::EnemyMove, status::Missed, status::ComputerHit, status::ComputerMissed,
          status::ReadyToPlay, status::PlaceHere, status::PlaceOffBoard, status::PlaceOverlaps,
          status::PlaceTouches, net::JoiningText, net::WaitingForFleetText, net::WaitingForComputerText})
        expectLabelFits(window.statusLine, gameText(text),
                        window.statusLine->x() + window.statusLine->width(), lang + " status");
    // Every plural form of a counted text, and the hint of a player placing by keys.
    for (const int left : {1, 2, 5, 10})
        expectLabelFits(window.statusLine, gameText(status::FightNeedsFleet, left),
                        window.statusLine->x() + window.statusLine->width(), lang + " status");
    expectLabelFits(window.statusLine,
                    QCoreApplication::translate("GameTexts", "Enter places, R turns, arrows move"),
                    window.statusLine->x() + window.statusLine->width(), lang + " status");
    expectLabelFits(window.statusLine, program->net->tr("Waiting for Opponent..."),
                    window.statusLine->x() + window.statusLine->width(), lang + " status");
    test::windowPicture(window).save(folder + language + QStringLiteral("-menu.png"));

    // The counters beside the boards, at the default size and filling the screen: the longest
    // word and both count columns (up to 100) side by side, in a font still to be read.
    const QRect normal = window.geometry();
    for (const bool large : {false, true}) {
        if (large) window.setGeometry(window.screen()->availableGeometry());
        const QFontMetrics fm(window.battleHud().tallyFont());
        int words = 0;
        for (const char* name : {"Shots", "Hits", "Misses"}) {
            words = std::max(words, fm.horizontalAdvance(BattleHud::tr(name)));
            expectGlyphs(window.battleHud().tallyFont(), BattleHud::tr(name), lang + " counters");
        }
        for (const char* head : {"You", "Foe"}) {
            words += fm.horizontalAdvance(QLatin1Char(' ')) +
                     std::max(fm.horizontalAdvance(BattleHud::tr(head)),
                              fm.horizontalAdvance(QStringLiteral("100")));
            expectGlyphs(window.battleHud().tallyFont(), BattleHud::tr(head), lang + " counters");
        }
        EXPECT_LE(words, window.battleHud().tally().width() - 2)
            << lang << (large ? " large" : "") << " counters";
        EXPECT_GE(fm.height(), large ? 14 : 9) << lang << " counters";
    }
    window.setGeometry(normal);

    // The options window.
    OptionsWindow& opt = *program->opt;
    expectLabelFits(opt.nameLabel, opt.nameLabel->text(), opt.playerNameEdit->x() - 2, lang + " options");
    expectLabelFits(opt.levelLabel, opt.levelLabel->text(), opt.levelBox->x() - 2, lang + " options");
    for (SkinCheckBox* box : {opt.manualBox, opt.soundBox, opt.musicBox}) {
        EXPECT_LE(box->captionRect().right(), box->width())
            << lang << " \"" << box->caption().toStdString() << "\"";
        expectGlyphs(box->font(), box->caption(), lang + " options");
    }
    for (int i = 0; i < opt.levelBox->count(); ++i) {
        const QString item = opt.levelBox->itemText(i);
        EXPECT_LE(opt.levelBox->fontMetrics().horizontalAdvance(item), opt.levelBox->width() - 20 - 6)
            << lang << " \"" << item.toStdString() << "\"";
        expectGlyphs(opt.levelBox->font(), item, lang + " levels");
    }
    expectButtonFits(opt.closeButton, lang + " options");
    opt.levelBox->setCurrentIndex(AdmiralLevelIndex); // the last of the levels
    opt.grab().save(folder + language + QStringLiteral("-options.png"));

    // The score window and the lobby.
    expectButtonFits(program->score->saveButton, lang + " scores");
    expectButtonFits(program->score->closeButton, lang + " scores");
    {
        const QLabel* empty = program->score->emptyLabel;
        const QRect box(QPoint(0, 0), empty->size());
        const QRect needed =
            empty->fontMetrics().boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, empty->text());
        EXPECT_TRUE(box.contains(needed)) << lang << " \"" << empty->text().toStdString() << "\"";
        expectGlyphs(empty->font(), empty->text(), lang + " scores");
    }
    // The two windows whose panels carry their title write it again: it must fit the strip.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    title.setPixelSize(13);
    for (const SkinnedWindow* window :
         {static_cast<SkinnedWindow*>(&opt), static_cast<SkinnedWindow*>(program->score.get())}) {
        EXPECT_LE(QFontMetrics(title).horizontalAdvance(window->windowTitle()),
                  window->width() - 16 - 20 - 40)
            << lang << " \"" << window->windowTitle().toStdString() << "\"";
        expectGlyphs(title, window->windowTitle(), lang + " title");
    }
    // The page of the kept matches: its title in the strip, the button that turns the pages, Watch.
    {
        const ScoresWindow& score = *program->score;
        const QString page = score.tr("Last Matches");
        EXPECT_LE(QFontMetrics(title).horizontalAdvance(page), score.width() - 16 - 20 - 40)
            << lang << " \"" << page.toStdString() << "\"";
        expectGlyphs(title, page, lang + " title");
        for (const QString& caption : {score.tr("Matches"), score.tr("Best")}) {
            EXPECT_LE(QFontMetrics(score.pageButton->font()).horizontalAdvance(caption),
                      score.pageButton->width() - 5)
                << lang << " \"" << caption.toStdString() << "\"";
            expectGlyphs(score.pageButton->font(), caption, lang + " scores");
        }
        EXPECT_GE(score.matchList->watchFont().pixelSize(), 9) << lang << " Watch";
        expectGlyphs(score.matchList->watchFont(), score.tr("Watch"), lang + " scores");
    }
    program->score->grab().save(folder + language + QStringLiteral("-scores.png"));
    LobbyWindow& net = *program->net;
    for (SkinButton* b : {net.createButton, net.joinButton, net.cancelButton})
        expectButtonFits(b, lang + " lobby");
    for (const QString& text :
         {net.tr("Local IP: %1").arg(QStringLiteral("192.168.100.200")), net.tr("Waiting for connect...")})
        expectLabelFits(net.addressLabel, text, net.width() - 8, lang + " lobby");
    for (const QLabel* caption : {net.createCaption, net.joinCaption})
        expectLabelFits(caption, caption->text(), caption->x() + caption->width(), lang + " lobby");
    EXPECT_LE(net.emptyListLine->heightForWidth(net.emptyListLine->width()), net.emptyListLine->height())
        << lang << " \"" << net.emptyListLine->text().toStdString() << "\"";
    net.grab().save(folder + language + QStringLiteral("-lobby.png"));

    // The message window: every message on at most the label's lines.
    MessageWindow& mess = *program->mess;
    const QStringList messages = {
        gameText("Ships Arrangement Complete!"),
        gameText(net::OpponentLeftText),
        window.tr("NetWork is unavailable on Your PC!"),
        window.tr("The music cannot be played:\n%1").arg(QStringLiteral("The song file is not a MIDI file")),
        window.tr("UDP port %1 is busy:\n%2\nNo answers can reach this game.")
            .arg(6868)
            .arg(QStringLiteral("Address in use")),
        net.tr("There is no game to Join!"),
        net.tr("The game is running for a first time\nPlease wait while network is checking\n"
               "It will take 1-2 min..."),
        opt.tr("The options were not saved!") + QStringLiteral("\nvtx.ini: Permission denied"),
        program->score->tr("The high scores were not saved!") + QStringLiteral("\nhscore.dat: No space left"),
    };
    for (const QString& text : messages) {
        const QRect box(0, 0, mess.messageText->width(), mess.messageText->height());
        const QRect needed =
            mess.messageText->fontMetrics().boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text);
        EXPECT_LE(needed.height(), box.height()) << lang << " \"" << text.toStdString() << "\"";
        EXPECT_LE(needed.width(), box.width()) << lang << " \"" << text.toStdString() << "\"";
        expectGlyphs(mess.messageText->font(), text, lang + " message");
    }
    expectButtonFits(mess.okButton, lang + " message");

    // The HUD: glyphs of the bitmap font only, the line inside the 3D view.
    World& world = window.world();
    BitmapFontMetrics metrics = world.messageFont.metrics();
    const int viewWidth = window.view->width();
    for (const bool won : {true, false}) {
        if (won)
            window.matchHost().showWinMessage();
        else
            window.matchHost().showLossMessage();
        const std::string& text = world.resultText->text;
        const QString shown = QString::fromStdString(text);
        EXPECT_NE(shown, won ? QStringLiteral("YOU WON THE GAME!") : QStringLiteral("YOU LOST THE GAME!"))
            << lang;
        for (const char32_t c : shown.toUcs4())
            EXPECT_TRUE(metrics.glyphRect(int(c)).has_value())
                << lang << " HUD: U+" << std::hex << std::uint32_t(c);
        const auto quads = layoutText(metrics, text);
        ASSERT_FALSE(quads.empty());
        EXPECT_LE(world.resultText->position.x + quads.back().x + quads.back().w, float(viewWidth))
            << lang << " \"" << text << "\"";
        if (won) {
            window.view->update();
            QTest::qWait(300);
            test::windowPicture(window).save(folder + language + QStringLiteral("-won.png"));
        }
    }
}

// Every language the sources translate into: a new i18n/vortalix3d_*.ts is
// checked from the day it exists.
std::vector<QString> shipped() {
    std::vector<QString> languages;
    const QStringList files = QDir(QStringLiteral(VTX_SOURCE_DIR "/i18n"))
                                  .entryList({QStringLiteral("vortalix3d_*.ts")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        languages.push_back(file.mid(11).chopped(3));
    return languages;
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageTest, ::testing::ValuesIn(shipped()),
                         [](const auto& info) { return info.param.toStdString(); });

TEST(LanguageChoice, TheLocaleChoosesAndEnglishIsTheFallback) {
    const auto env = [](std::map<std::string, QString> values) {
        return [values](const char* name) {
            const auto it = values.find(name);
            return it == values.end() ? QString() : it->second;
        };
    };
    EXPECT_EQ(preferredLanguages(env({{"LANG", "de_DE.UTF-8"}})), QStringList({"de_DE", "de"}));
    // English ends the list: the locale's French after it is not wanted.
    EXPECT_EQ(preferredLanguages(env({{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "pt_BR:pt:en"}})),
              QStringList({"pt_BR", "pt"}));
    // LANGUAGE alone chooses, also where LANG is C.UTF-8 (the README's promise).
    EXPECT_EQ(preferredLanguages(env({{"LANG", "C.UTF-8"}, {"LANGUAGE", "ru"}})), QStringList({"ru"}));
    EXPECT_EQ(preferredLanguages(env({{"LC_ALL", "uk_UA.UTF-8@x"}, {"LANG", "de_DE"}})),
              QStringList({"uk_UA", "uk"}));
    EXPECT_EQ(preferredLanguages(env({})), QStringList());
    // No translation for a language: English, and English texts on the windows.
    EXPECT_EQ(installTranslation(kQmFolder, {QStringLiteral("xx_YY"), QStringLiteral("xx")}), QString());
    EXPECT_FALSE(translationActive());
    EXPECT_EQ(gameText(status::PlayerMove), QStringLiteral("Player Move"));
    // The first language that has one wins.
    EXPECT_EQ(installTranslation(kQmFolder, {QStringLiteral("xx"), QStringLiteral("pt_BR")}),
              QStringLiteral("pt_BR"));
    EXPECT_EQ(gameText(status::PlayerMove), QStringLiteral("Sua vez"));
    installTranslation(kQmFolder, {});
    EXPECT_EQ(gameText(status::PlayerMove), QStringLiteral("Player Move"));
}

} // namespace
} // namespace vtx

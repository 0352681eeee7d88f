// Every shipped language, with the real windows: each text fits its control
// and uses only characters its font has, the HUD's messages only glyphs of the
// bitmap font; pictures of the menu, the options and the win message are kept
// as test artefacts. And a language without a translation stays English.

#include "AppTestSupport.h"

#include "app/GameTexts.h"
#include "game/Match.h"
#include "game/NetMessage.h"
#include "scene/engine/TGLSceneViewer.h"
#include "scene/engine/formats/BitmapFontLayout.h"
#include "ui/TBitCheckBox.h"
#include "ui/TFlatEdit.h"
#include "ui/TWispButton.h"
#include "ui/TWispComboBox.h"
#include "ui/Translation.h"

#include <QDir>
#include <QLabel>
#include <QRawFont>
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

void expectButtonFits(const TWispButton* b, const std::string& where) {
    const QFontMetrics fm(b->CaptionFont());
    const int left = b->CaptionLeft();
    const int width = fm.horizontalAdvance(b->Caption());
    EXPECT_GE(left, 1) << where << " \"" << b->Caption().toStdString() << "\"";
    EXPECT_LE(left + width, b->width() - 1) << where << " \"" << b->Caption().toStdString() << "\"";
    expectGlyphs(b->CaptionFont(), b->Caption(), where);
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
        InstallTranslation(kQmFolder, {});
    }
    test::RunCopy run;
    std::unique_ptr<test::Program> program;
};

TEST_P(LanguageTest, EveryTextFitsItsControlAndHasItsGlyphs) {
    const QString language = GetParam();
    ASSERT_EQ(InstallTranslation(kQmFolder, {language}), language) << "no .qm for " << language.toStdString();
    ASSERT_TRUE(run.ok());
    program = std::make_unique<test::Program>();
    TForm1& form = *program->form1;
    ASSERT_TRUE(form.StartupError().isEmpty());
    const std::string lang = language.toStdString();
    const QString folder = QStringLiteral(VTX_BINARY_DIR "/artifacts/languages/");
    QDir().mkpath(folder);

    // Every text of the rules is translated: the tools' list matches game/'s constants.
    for (const std::string_view text :
         {status::PlayerMove, status::EnemyMove, status::Missed, status::ComputerHit, status::ComputerMissed,
          status::ReadyToPlay, net::OpponentLeftText, net::OpponentGoneText, net::JoiningText,
          net::WaitingForFleetText, net::WaitingForComputerText,
          std::string_view("Ships Arrangement Complete!"), std::string_view("YOU WON THE GAME!"),
          std::string_view("YOU LOST THE GAME!")})
        EXPECT_NE(gameText(text), QString::fromUtf8(text.data(), qsizetype(text.size())))
            << lang << ": \"" << text << "\" is not translated";

    // The menu.
    for (TWispButton* b : {form.elbtSingleGame, form.elbtNetGame, form.elbtFight, form.elbtOptions,
                           form.elbtHighScores, form.elbtExit})
        expectButtonFits(b, lang + " menu");
    EXPECT_NE(form.elbtSingleGame->Caption(), QStringLiteral("Single")) << lang;
    if (language == QStringLiteral("de")) {
        EXPECT_EQ(form.elbtSingleGame->toolTip(), QStringLiteral("Strg+N"));
    }
    // The status line.
    for (const std::string_view text :
         {status::PlayerMove, status::EnemyMove, status::Missed, status::ComputerHit, status::ComputerMissed,
          status::ReadyToPlay, net::JoiningText, net::WaitingForFleetText, net::WaitingForComputerText})
        expectLabelFits(form.Label2, gameText(text), form.Label2->x() + form.Label2->width(),
                        lang + " status");
    expectLabelFits(form.Label2, program->net->tr("Waiting for Opponent..."),
                    form.Label2->x() + form.Label2->width(), lang + " status");
    test::windowPicture(form).save(folder + language + QStringLiteral("-menu.png"));

    // The options window.
    TFormOpt& opt = *program->opt;
    expectLabelFits(opt.Label1, opt.Label1->text(), opt.edPlayerName->x() - 2, lang + " options");
    expectLabelFits(opt.Label4, opt.Label4->text(), opt.cbDifficulty->x() - 2, lang + " options");
    for (TBitCheckBox* box : {opt.bcbManual, opt.bcbEnableSounds, opt.bcbEnableMusic}) {
        EXPECT_LE(box->CaptionRect().right(), box->width())
            << lang << " \"" << box->Caption().toStdString() << "\"";
        expectGlyphs(box->font(), box->Caption(), lang + " options");
    }
    for (int i = 0; i < opt.cbDifficulty->count(); ++i) {
        const QString item = opt.cbDifficulty->itemText(i);
        EXPECT_LE(opt.cbDifficulty->fontMetrics().horizontalAdvance(item), opt.cbDifficulty->width() - 20 - 6)
            << lang << " \"" << item.toStdString() << "\"";
        expectGlyphs(opt.cbDifficulty->font(), item, lang + " levels");
    }
    expectButtonFits(opt.elbtClose, lang + " options");
    opt.cbDifficulty->setCurrentIndex(1);
    opt.grab().save(folder + language + QStringLiteral("-options.png"));

    // The score window and the lobby.
    expectButtonFits(program->score->elbtSaveResult, lang + " scores");
    expectButtonFits(program->score->elbtClose, lang + " scores");
    // The two windows whose panels carry their title write it again: it must fit the strip.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setBold(true);
    title.setPixelSize(13);
    for (const TSkinnedForm* window :
         {static_cast<TSkinnedForm*>(&opt), static_cast<TSkinnedForm*>(program->score.get())}) {
        EXPECT_LE(QFontMetrics(title).horizontalAdvance(window->windowTitle()),
                  window->width() - 16 - 20 - 40)
            << lang << " \"" << window->windowTitle().toStdString() << "\"";
        expectGlyphs(title, window->windowTitle(), lang + " title");
    }
    program->score->grab().save(folder + language + QStringLiteral("-scores.png"));
    TformNet& net = *program->net;
    for (TWispButton* b : {net.elbtCreateGame, net.elbtJoinGame, net.elbtCancel})
        expectButtonFits(b, lang + " lobby");
    for (const QString& text :
         {net.tr("Local IP: %1").arg(QStringLiteral("192.168.100.200")), net.tr("Waiting for connect...")})
        expectLabelFits(net.labIP, text, net.width() - 8, lang + " lobby");

    // The message window: every message on at most the label's lines.
    TFormMess& mess = *program->mess;
    const QStringList messages = {
        gameText("Ships Arrangement Complete!"),
        gameText(net::OpponentLeftText),
        form.tr("NetWork is unavailable on Your PC!"),
        form.tr("UDP port %1 is busy:\n%2\nNo answers can reach this game.")
            .arg(6868)
            .arg(QStringLiteral("Address in use")),
        net.tr("There is no game to Join!"),
        net.tr("The game is running for a first time\nPlease wait while network is checking\n"
               "It will take 1-2 min..."),
        opt.tr("The options were not saved!") + QStringLiteral("\nvtx.ini: Permission denied"),
        program->score->tr("The high scores were not saved!") + QStringLiteral("\nhscore.dat: No space left"),
    };
    for (const QString& text : messages) {
        const QRect box(0, 0, mess.labMessF->width(), mess.labMessF->height());
        const QRect needed =
            mess.labMessF->fontMetrics().boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text);
        EXPECT_LE(needed.height(), box.height()) << lang << " \"" << text.toStdString() << "\"";
        EXPECT_LE(needed.width(), box.width()) << lang << " \"" << text.toStdString() << "\"";
        expectGlyphs(mess.labMessF->font(), text, lang + " message");
    }
    expectButtonFits(mess.elbtOk, lang + " message");

    // The HUD: glyphs of the bitmap font only, the line inside the 3D view.
    World& world = form.world();
    BitmapFontMetrics metrics = world.BitmapFont1.metrics();
    const int viewWidth = form.GLSceneViewer1->width();
    for (const bool won : {true, false}) {
        if (won)
            form.matchHost().ShowWinMessage();
        else
            form.matchHost().ShowLossMessage();
        const std::string& text = world.HUDText1->Text;
        const QString shown = QString::fromStdString(text);
        EXPECT_NE(shown, won ? QStringLiteral("YOU WON THE GAME!") : QStringLiteral("YOU LOST THE GAME!"))
            << lang;
        for (const char32_t c : shown.toUcs4())
            EXPECT_TRUE(metrics.glyphRect(int(c)).has_value())
                << lang << " HUD: U+" << std::hex << std::uint32_t(c);
        const auto quads = layoutText(metrics, text);
        ASSERT_FALSE(quads.empty());
        EXPECT_LE(world.HUDText1->Position.x + quads.back().x + quads.back().w, float(viewWidth))
            << lang << " \"" << text << "\"";
        if (won) {
            form.GLSceneViewer1->update();
            QTest::qWait(300);
            test::windowPicture(form).save(folder + language + QStringLiteral("-won.png"));
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
    EXPECT_EQ(InstallTranslation(kQmFolder, {QStringLiteral("xx_YY"), QStringLiteral("xx")}), QString());
    EXPECT_FALSE(TranslationActive());
    EXPECT_EQ(gameText(status::PlayerMove), QStringLiteral("Player Move"));
    // The first language that has one wins.
    EXPECT_EQ(InstallTranslation(kQmFolder, {QStringLiteral("xx"), QStringLiteral("pt_BR")}),
              QStringLiteral("pt_BR"));
    EXPECT_EQ(gameText(status::PlayerMove), QStringLiteral("Sua vez"));
    InstallTranslation(kQmFolder, {});
    EXPECT_EQ(gameText(status::PlayerMove), QStringLiteral("Player Move"));
}

} // namespace
} // namespace vtx

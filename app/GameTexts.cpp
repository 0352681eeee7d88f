#include "app/GameTexts.h"

#include "game/Match.h"
#include "game/NetMessage.h"

#include <QCoreApplication>

namespace vtx {

namespace {

constexpr const char* kContext = "GameTexts";

// Every text of the rules that reaches the screen, so the translation tools
// find it. Each must equal its constant in game/ (the test of the
// translations checks that they do).
[[maybe_unused]] const char* const kTexts[] = {
    QT_TRANSLATE_NOOP("GameTexts", "Player Move"),
    QT_TRANSLATE_NOOP("GameTexts", "Enemy Move"),
    QT_TRANSLATE_NOOP("GameTexts", "Missed!"),
    QT_TRANSLATE_NOOP("GameTexts", "Computer Hit!!!"),
    QT_TRANSLATE_NOOP("GameTexts", "Computer Missed!!!"),
    QT_TRANSLATE_NOOP("GameTexts", "Ready to Play!"),
    QT_TRANSLATE_NOOP("GameTexts", "Already fired at: a shot here is wasted"),
    QT_TRANSLATE_NOOP("GameTexts", "Ships Arrangement Complete!"),
    QT_TRANSLATE_NOOP("GameTexts", "Opponent left the game!"),
    QT_TRANSLATE_NOOP("GameTexts", "No answer from the opponent!"),
    QT_TRANSLATE_NOOP("GameTexts", "Joining the game..."),
    QT_TRANSLATE_NOOP("GameTexts", "Waiting for the opponent's fleet..."),
    QT_TRANSLATE_NOOP("GameTexts", "Waiting for the opponent's computer..."),
    //: The HUD's message after a won match: capitals only, at most 19 characters.
    QT_TRANSLATE_NOOP("GameTexts", "YOU WON THE GAME!"),
    //: The HUD's message after a lost match: capitals only, at most 19 characters.
    QT_TRANSLATE_NOOP("GameTexts", "YOU LOST THE GAME!"),
};

} // namespace

QString gameText(std::string_view english) {
    const std::string key(english);
    return QCoreApplication::translate(kContext, key.c_str());
}

std::string hudText(std::string_view english) {
    return gameText(english).toUpper().toStdString();
}

} // namespace vtx

#include "app/GameTexts.h"

#include "game/GameText.h"

#include <QCoreApplication>

namespace vtx {

namespace {

// The context of every VTX_TEXT in game/ and scene/.
constexpr const char* kContext = "GameTexts";

} // namespace

QString gameText(std::string_view english) {
    const std::string key(english);
    return QCoreApplication::translate(kContext, key.c_str());
}

QString gameText(std::string_view english, std::int32_t count) {
    const std::string key(english);
    const QString translated = QCoreApplication::translate(kContext, key.c_str(), nullptr, int(count));
    // Untranslated, Qt fills in %n but keeps the "(s)" of the source.
    if (translated.contains(QLatin1String("(s)")))
        return QString::fromStdString(englishCounted(english, count));
    return translated;
}

std::string hudText(std::string_view english) {
    return gameText(english).toUpper().toStdString();
}

} // namespace vtx

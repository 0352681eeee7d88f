#include "ui/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTranslator>

#include <memory>

namespace vtx {

namespace {

std::unique_ptr<QTranslator> g_translator;
QString g_language;

// "pt_BR.UTF-8@euro" -> "pt_BR".
QString bareLocale(QString name) {
    const qsizetype cut = name.indexOf(QRegularExpression(QStringLiteral("[.@]")));
    if (cut >= 0) name.truncate(cut);
    return name.trimmed();
}

} // namespace

QStringList preferredLanguages(const std::function<QString(const char*)>& environment) {
    QStringList wanted;
    // Unlike gettext, LANGUAGE counts under the C locale too: "LANGUAGE=de
    // vortalix3d" must work on a system whose LANG is C.UTF-8, as many are.
    const QString locale = [&] {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const QString value = environment(name);
            if (!value.isEmpty()) return value;
        }
        return QString();
    }();
    const QString bare = bareLocale(locale);
    for (const QString& entry : environment("LANGUAGE").split(u':', Qt::SkipEmptyParts))
        wanted << bareLocale(entry);
    wanted << bare;
    QStringList result;
    for (const QString& name : wanted) {
        if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX")) continue;
        // English is the game's own language: nothing to load, and nothing
        // after it is wanted more.
        if (name == QLatin1String("en") || name.startsWith(QLatin1String("en_"))) break;
        if (!result.contains(name)) result << name;
        const QString language = name.section(u'_', 0, 0);
        if (!result.contains(language)) result << language;
    }
    return result;
}

QStringList preferredLanguages() {
    return preferredLanguages([](const char* name) { return qEnvironmentVariable(name); });
}

QString installTranslation(const QString& folder, const QStringList& languages) {
    if (g_translator) QCoreApplication::removeTranslator(g_translator.get());
    g_translator.reset();
    g_language.clear();
    for (const QString& language : languages) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(QStringLiteral("vortalix3d_") + language, folder)) continue;
        QCoreApplication::installTranslator(translator.get());
        g_translator = std::move(translator);
        g_language = language;
        break;
    }
    return g_language;
}

QString translationLanguage() {
    return g_language;
}

} // namespace vtx

#include "ui/ReplayTexts.h"

#include "files/TextEncoding.h"
#include "ui/Translation.h"

#include <QDateTime>
#include <QLocale>

namespace vtx {

QString ReplayTexts::opponent(const Replay& replay) {
    if (replay.opponent == ReplayOpponent::Computer) {
        const QString level = replay.level == 1 ? tr("Easy") : replay.level == 2 ? tr("Normal") : tr("Hard");
        return tr("Computer, %1").arg(level);
    }
    const QString name = QString::fromStdString(legacyToUtf8(replay.opponentName)).trimmed();
    return name.isEmpty() ? tr("LAN player") : name;
}

QString ReplayTexts::date(const Replay& replay) {
    const QLocale locale(translationActive() ? translationLanguage() : QStringLiteral("en"));
    const QDateTime when = QDateTime::fromSecsSinceEpoch(replay.startedAt).toLocalTime();
    // The year only when it is not this one: the list stays short.
    const bool thisYear = when.date().year() == QDate::currentDate().year();
    return locale.toString(when.date(), thisYear ? QStringLiteral("d MMM") : QStringLiteral("d MMM yyyy")) +
           QLatin1Char(' ') + locale.toString(when.time(), QLocale::ShortFormat);
}

QString ReplayTexts::end(const Replay& replay) {
    QString text;
    switch (replay.end) {
    case ReplayEnd::Won:
        text = tr("Won");
        break;
    case ReplayEnd::Lost:
        text = tr("Lost");
        break;
    case ReplayEnd::Left:
        text = tr("Left");
        break;
    case ReplayEnd::WindowClosed:
        text = tr("Closed");
        break;
    case ReplayEnd::OpponentSilent:
        text = tr("No answer");
        break;
    case ReplayEnd::OpponentLeft:
        text = tr("Foe left");
        break;
    }
    return replay.cut ? tr("%1, cut").arg(text) : text;
}

QString ReplayTexts::shots(int count) {
    return tr("Shots: %1").arg(count);
}

} // namespace vtx

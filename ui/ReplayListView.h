#pragma once

// The list of kept matches on the score window's second page: one entry of
// two lines a match (the opponent and the result; the date, the shots and a
// Watch button at the right end), newest first, scrolled by the wheel,
// the keys or the slim bar at the right. A file that cannot be shown is
// listed by its name as unreadable, without Watch.
//
// Everything is laid out at each paint from the widget's size and font, so
// the window's scaling (which sets both) needs nothing else; the Watch
// caption takes a smaller font when a language's word is long. UI thread
// only.

#include <QString>
#include <QWidget>

#include <vector>

namespace vtx {

struct ReplayListEntry {
    QString opponent; // the level against the computer, or the LAN opponent's name
    QString result;
    QString date;
    QString shots; // "Shots: 34"
    // Unreadable files: opponent holds the file name, date says so.
    bool readable = true;
    // How the result is coloured.
    enum class Tone { Won, Lost, Other } tone = Tone::Other;
};

class ReplayListView : public QWidget {
    Q_OBJECT
public:
    explicit ReplayListView(QWidget* parent = nullptr);

    void setEntries(std::vector<ReplayListEntry> entries);
    const std::vector<ReplayListEntry>& entries() const { return m_entries; }
    // Shown when there is no entry.
    void setEmptyText(const QString& text);
    // Watch can be asked for (from the menu) or waits (a match runs): the
    // buttons then show greyed and do nothing.
    void setWatchEnabled(bool enabled);
    bool watchEnabled() const { return m_watchEnabled; }
    void setWatchCaption(const QString& caption);

    int current() const { return m_current; }
    void setCurrent(int index);
    // The entry's rectangles in widget pixels at the present scroll.
    QRect entryRect(int index) const;
    QRect watchRect(int index) const;
    // The Watch caption's font as drawn: the widget's, smaller when the word
    // would not fit its button.
    QFont watchFont() const;
    int entryHeight() const;
    int buttonHeight() const;
    // The second line's font: a pixel smaller.
    QFont smallFont() const;

signals:
    void watchClicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int contentHeight() const;
    int maxScroll() const;
    void scrollTo(int pixels);
    void makeVisible(int index);
    QRect barRect() const;
    QRect handleRect() const;
    int indexAt(QPoint pos) const;
    void watch(int index);

    std::vector<ReplayListEntry> m_entries;
    QString m_emptyText;
    QString m_watchCaption;
    bool m_watchEnabled = true;
    int m_current = -1;
    int m_hoverWatch = -1;
    int m_scroll = 0; // pixels of the list above the widget's top
    bool m_dragging = false;
    int m_dragOffset = 0;
};

} // namespace vtx

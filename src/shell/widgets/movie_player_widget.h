#pragma once
// The welcome window's animation: plays a GIF (or any format Qt's movie support reads) and
// stays empty when the file is missing or unreadable.

#include <QLabel>

class QMovie;

namespace ssq {

class MoviePlayerWidget : public QLabel {
    Q_OBJECT
public:
    explicit MoviePlayerWidget(QWidget* parent = nullptr);

    // Starts playing `path` in a loop; false (and empty) when it cannot be played.
    bool play(const QString& path);
    bool isPlaying() const;

private:
    QMovie* m_movie = nullptr;
};

} // namespace ssq

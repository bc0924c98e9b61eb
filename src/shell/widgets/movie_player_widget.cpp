#include "shell/widgets/movie_player_widget.h"

#include <QMovie>

namespace ssq {

MoviePlayerWidget::MoviePlayerWidget(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
}

bool MoviePlayerWidget::play(const QString& path) {
    if (m_movie) {
        m_movie->stop();
        setMovie(nullptr);
        delete m_movie;
        m_movie = nullptr;
    }
    clear();
    auto* movie = new QMovie(path, {}, this);
    if (!movie->isValid()) {
        delete movie;
        return false;
    }
    m_movie = movie;
    setMovie(m_movie);
    m_movie->start();
    return true;
}

bool MoviePlayerWidget::isPlaying() const {
    return m_movie && m_movie->state() == QMovie::Running;
}

} // namespace ssq

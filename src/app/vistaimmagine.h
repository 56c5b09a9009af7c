#pragma once

#include "app/tastocomando.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QWidget>

class MarcaFuoco;

// The size at which a picture of the given size is drawn in an area: its own
// size when it fits, otherwise the largest size that fits with the same
// proportions. A picture is never enlarged.
QSize dimensioneAdattata(const QSize &immagine, const QSize &area);

// A picture view: draws its picture centred by the rule above, and reports a
// left click (picture commands give it the hand cursor).
class VistaImmagine : public QWidget
{
    Q_OBJECT
public:
    explicit VistaImmagine(QWidget *parent = nullptr);

    // Makes the view a picture command for the keyboard and for assistive
    // technology: Tab reaches it (a click does not take the focus from a
    // text field), Enter or Space runs it, a ring marks it while it has the
    // focus, and it is a button with the given name.
    void rendiComando(const QString &testo);
    bool comando() const { return m_comando; }
    // Runs the command as a click does, from the keyboard or from assistive
    // technology: not while the view is disabled or hidden, nor while a
    // modal window other than its own blocks it.
    void premi();

    void impostaImmagine(const QImage &immagine);
    // The picture smoothed down to `dimensione` (whole, proportions as
    // given), quick even from a page scanned at 600 dpi.
    static QImage ridotta(const QImage &immagine, const QSize &dimensione);
    // A picture of the resources at the given size, drawn only when it is
    // first needed and shared with every view that shows the same.
    void impostaRisorsa(const QString &risorsa, const QSize &dimensione, const QColor &sfondo = Qt::transparent);
    const QImage &immagine() const;
    // Where the picture is drawn, in the view's coordinates.
    QRect rettangoloDisegno() const;

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;
    void mouseReleaseEvent(QMouseEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    void keyReleaseEvent(QKeyEvent *evento) override;
    void focusInEvent(QFocusEvent *evento) override;
    void focusOutEvent(QFocusEvent *evento) override;

private:
    mutable QImage m_immagine;
    mutable QString m_risorsa;
    QSize m_dimensioneRisorsa;
    QColor m_sfondoRisorsa;
    // The scaled copy of the last paint: scans are large and repainting
    // them from full size on every expose is slow.
    QPixmap m_cache;
    bool m_premuto = false;
    bool m_comando = false;
    TastoComando m_tasto;
    MarcaFuoco *m_marca = nullptr;
};

#pragma once

#include <QHash>
#include <QObject>
#include <QSet>

class QLabel;
class QWidget;

// Hover hints: moving the pointer over a command writes its sentence into
// the window's status line; moving it over the window or one of its
// background elements empties the line. Anything else (text fields, captions)
// leaves the last hint in place.
class SuggerimentiStato : public QObject
{
    Q_OBJECT
public:
    explicit SuggerimentiStato(QLabel *panInfo);

    // The hint is also what the command tells assistive technology it does,
    // and the status line shows it when Tab brings the focus to the command.
    void aggiungi(QWidget *comando, const QString &testo);
    void sfondo(QWidget *elemento);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    QLabel *m_panInfo;
    QHash<QObject *, QString> m_testi;
    QSet<QObject *> m_sfondi;
};

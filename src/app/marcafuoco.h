#pragma once

#include <QWidget>

// The mark of a picture command that has the keyboard focus: a ring just
// outside the picture, yellow like the focus of the text fields, edged in
// dark blue so that it reads on the white boxes as well as on the blue
// backgrounds. It lies over the command's siblings, takes no mouse input
// and leaves the picture itself uncovered.
class MarcaFuoco : public QWidget
{
public:
    // The space the ring takes around the picture, on every side.
    static constexpr int kMargine = 5;

    explicit MarcaFuoco(QWidget *comando);

    // Around the command, above its siblings.
    void mostra();

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    QWidget *m_comando;
};

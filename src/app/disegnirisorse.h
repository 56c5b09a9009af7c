#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// The pictures of the resources are vector drawings, rendered at the size
// they are shown. Each resource at each size and pixel ratio is rendered once
// for the whole run and then shared (a QImage shares its pixels): a dialog
// opened again and again, or the dialog instances that start-up makes and
// never shows, cost no rendering.
// A background colour that is opaque gives an opaque picture on that colour.
QImage disegnoRisorsa(const QString &risorsa, const QSize &dimensione, qreal dpr = 1.0,
                      const QColor &sfondo = Qt::transparent);

// How many renders the shared pictures have taken so far in this process.
int disegniEseguiti();

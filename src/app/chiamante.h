#pragma once

#include <QString>

// The mark a window keeps in its hidden lblMemory to say who opened it, or
// where it hands over when it closes.
enum class Chiamante { Nessuno, Avvio, Documenti };
// "", "avvio", "documenti".
QString marcaChiamante(Chiamante chiamante);
// Trimmed before comparing; an unknown mark is Nessuno.
Chiamante chiamanteDaMarca(const QString &marca);

// Driver of the chamber's LED display board: composes the board's frames
// and sends them on its serial or parallel line; write-only.
#pragma once

#include <QString>
#include <memory>

namespace obx {

class Tabellone {
public:
    Tabellone();
    virtual ~Tabellone();

    // Settings, set by the console's activation.
    int iPorta = 2;
    QString cParametri = QStringLiteral("9600,n,8,1");
    int iBufferLettura = 32000;
    int iBufferScrittura = 2048;
    int iSegnaliCOM = 0;
    QString cCodePaginaLed = QStringLiteral("2");
    int iModelloDisplay = 1;

    bool ApreCom();
    void ChiudeCom();
    // The board page of a one-letter command, mirrored on the projected
    // board's title cells and on the LED preview.
    void DettaglioTesto(const QString& cTipo);
    // A 48-character seat LED map.
    void DettaglioLed(const QString& cByteMap);
};

// The one driver object, created at start-up.
inline std::unique_ptr<Tabellone> oTabellone;

}  // namespace obx

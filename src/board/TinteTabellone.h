// What the two colour windows of the projected board share: swatches whose
// background shows a colour of cColoriTabVideo (a click opens the colour
// dialog), and lines showing a font string of cFont (a click opens the
// font dialog).  The choices take effect in the program-wide tables at
// once; the configuration file is written when the window closes.
// Cancelling a dialog leaves the colour or the font string as it was.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "board/Tinte.h"

class QGroupBox;
class QLabel;

namespace obx {

class TinteTabellone : public QDialog {
    Q_OBJECT
public:
    QLabel* lblColori(int k) const;
    // Caption above swatch k.
    QLabel* lblPrompt(int k) const;
    QLabel* lblFont(int n) const;
    // Caption beside font line n.
    QLabel* lblDidascaliaFont(int n) const;
    int Campioni() const { return int(m_tinte.size()); }
    int RigheFont() const { return int(m_font.size()); }

    void lblColori_Click(int k);
    void lblFont_Click(int n);
    // Writes the configuration file (the window is closing).
    void Form_Unload();

    void done(int r) override;

protected:
    struct Tinta {
        int voce;  // entry of cColoriTabVideo
        const char* didascalia;
        bool risultati;  // in the frame of the vote results
    };
    struct RigaFont {
        int voce;  // entry of cFont
        QString didascalia;
    };
    // titoloFont: the title of every font dialog, or empty for "Impostazione "
    // followed by the line's caption; soloGrassettoCorsivo: only bold and
    // italic are read and written.
    TinteTabellone(QWidget* padre, const QString& nomeOggetto, std::vector<Tinta> tinte, std::vector<RigaFont> font,
                   const QString& titoloFont, bool soloGrassettoCorsivo);

    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void MostraColore(int k);

    std::vector<Tinta> m_tinte;
    std::vector<RigaFont> m_font;
    QString m_titoloFont;
    bool m_soloGrassettoCorsivo;
    std::vector<QLabel*> m_lblColori, m_lblPrompt, m_lblFont, m_lblDidascalia;
    QGroupBox* m_fraRisultati = nullptr;
    // What the font dialog was last set to: a string without a comma opens
    // it on these.
    ValoriFont m_dialogo;
    bool m_scaricata = false;
};

}  // namespace obx

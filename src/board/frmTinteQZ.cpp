#include "board/frmTinteQZ.h"

namespace obx {

frmTinteQZ::frmTinteQZ(QWidget* padre)
    : TinteTabellone(padre, QStringLiteral("frmTinteQZ"),
                     {{16, "Colore Titoli", false},
                      {17, "Votanti", false},
                      {18, "Favorevoli", false},
                      {19, "Contrari", false},
                      {20, "Astenuti", false},
                      {21, "Sfondo Titoli", false},
                      {22, "Sfondo Risultati", false}},
                     {{2, QStringLiteral("Font Titoli:")}, {3, QStringLiteral("Font Risultati:")}},
                     QStringLiteral("Impostazione Font"), true)
{}

}  // namespace obx

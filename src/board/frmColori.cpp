#include "board/frmColori.h"

#include "shell/Globali.h"

namespace obx {

frmColori::frmColori(QWidget* padre)
    : TinteTabellone(
          padre, QStringLiteral("frmColori"),
          {{0, "Consigliere Assente", false},
           {1, "Consigliere Presente", false},
           {2, "Favorevoli", true},
           {3, "Contrari", true},
           {4, "Astenuti", true},
           {5, "Sfondo Tabellone", false},
           {6, "Sfondo Consiglieri", false},
           {7, "Data e Ora", false},
           {8, "Titolo Consiglio", false},
           {9, "Nome Oratore", false},
           {10, "N. Presenti / Votanti", false},
           {11, "Tempo Scaduto", false},
           {12, "Argomento Corrente", false},
           {13, "Tempo Valido", false},
           {14, "Non Votanti", true},
           {15, "Assenti", true}},
          {{0, iTipoAssemblea == 4 ? QStringLiteral("Font Argomento:") : QStringLiteral("Font titolo Consiglio:")},
           {1, QStringLiteral("Font Consiglieri:")},
           {3, QStringLiteral("Font Risultati:")},
           {4, QStringLiteral("Font Assenti:")}},
          QString(), false)
{}

}  // namespace obx

// Pieces shared by the reports over the event log: a run that shows only
// its first failure and carries on, the row advance with its page break,
// the count of those present of a stored vote and the durations printed as
// hours and minutes.
#pragma once

#include <QString>
#include <QVariant>
#include <exception>
#include <functional>

#include "platform/Errore.h"

namespace obx {

class Recordset;

// Each step of a report is tried on its own: the first failure of the run
// is shown with its description (critical icon, "O.B.X."), the later ones
// are not, and the report goes on with its next step.
class PassiStampa {
public:
    template <typename F>
    bool Prova(F&& f)
    {
        try {
            f();
            return true;
        } catch (const Errore& e) {
            Segnala(e.Descrizione());
        } catch (const std::exception& e) {
            Segnala(QString::fromLocal8Bit(e.what()));
        }
        return false;
    }
    void Segnala(const QString& descrizione);

private:
    bool m_segnalato = false;
};

// One row down; past the last row of the page a new page is started, the
// row counter goes back to 0, the page number up by one and the header is
// printed (it sets the first row of the page).
void AvanzaRigaStampa(const std::function<void()>& intestazione);

// Those present of a stored vote that counts them, from its row of "VOTI":
// the number stored in iFavorevoliVT, but for a roll call (kind "A"),
// which stores none, those who answered: the persons marked as keyed in
// cVotantiVT whose key in cVotiVT is "+".
int PresentiVotazione(const Recordset& rsVoti);

// A duration in seconds as "hh:mm": whole days are left out, seconds cut.
QString OreMinuti(qint64 secondi);

}  // namespace obx

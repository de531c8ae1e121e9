// The browsing bar of a register window, bound to one table of the archive
// through a table-type record set in the order of an index: four buttons
// (first, previous, next, last) and a caption.  Moving before the first row
// stays on the first, moving past the last stays on the last.  After every
// move of its own it calls Reposition, so the window shows the row.
//
// Also the small helpers the register windows share.  The event and vote
// list windows of the reports use them too, so they live here, below both.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "platform/Database.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace obx {

class ControlloDati : public QWidget {
    Q_OBJECT
public:
    explicit ControlloDati(QWidget* padre = nullptr);
    ~ControlloDati() override;

    // Opens the table on dbArchivio in the order of the index; the first
    // row is current.  Throws Errore when the table cannot be opened.
    void Collega(const QString& tabella, const QString& indice = QStringLiteral("TAG_A"));
    // Opens the bound table again (after writes made outside the record set).
    void Aggiorna();
    void Chiudi();
    bool Aperto() const { return m_rs.IsOpen(); }
    // The caption shown in place of the table's name.
    void ImpostaDidascalia(const QString& testo);

    Recordset& RS() { return m_rs; }
    // True when there is no current row: the table is empty, or the record
    // set stands before the first or past the last row.
    bool FuoriRiga() const;
    // Rows in the table; 0 also when the record set is not open.
    int Righe() const;

    // The moves of the four buttons, each followed by Reposition.
    void Primo();
    void Precedente();
    void Successivo();
    void Ultimo();

    std::function<void()> Reposition;

private:
    void Muovi(int verso);
    Recordset m_rs;
    QString m_tabella, m_indice, m_titolo;
    std::array<QPushButton*, 4> m_bottoni{};
    QLabel* m_didascalia = nullptr;
};

// Work that closes the archive under the windows (its copy, its repair)
// would leave their record sets closed and lose their next edit: while a
// window bound to a table is open it is refused with a message naming the
// windows to close first.  True when refused.
bool RifiutaConArchiviAperti();

// The number of a field's text (leading-number rule), rounded to an integer.
double NumeroTesto(const QString& testo);

// A key typed on the screen for a message: the number and a blank, nothing
// for 0 (an empty field).
QString NumeroMostrato(int numero);

// Centres a top-level window on the area its screen leaves to windows,
// frame included, made smaller where it does not fit.
void CentraFinestra(QWidget* w);

// A save that failed: the edit of the row is dropped and the failure shown.
void AnnullaModificaFallita(Recordset& rs, const Errore& e);
// After adding a row: the row with that key becomes current (the last row
// when it cannot be found).
void PosizionaSuChiave(Recordset& rs, const QVariant& chiave);

// Typing limits of the register fields.  A limit restricts what the
// operator types; a value read from the archive that is longer (stored
// under another display type, say) is shown whole and so saved again as it
// was, never cut by the box.  ImpostaLimite sets the limit of the box;
// MostraValore puts a text from the archive into it (the box's own length
// is its limit until ImpostaLimite is called).
void ImpostaLimite(QLineEdit* e, int limite);
void MostraValore(QLineEdit* e, const QString& testo);

}  // namespace obx

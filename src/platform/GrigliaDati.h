// The program's data-bound grid: the rows of an archive record set in a
// table view, for the windows that show raw rows (the table maintenance,
// the vote list, the event window).
//
//  - Source.  ApriTabella: a table in the order of an index; its rows are
//    read as they come into view, so the grid opens at once whatever the
//    table's size (it shows its first rows, and the view learns how many
//    the table holds when the event loop next turns; Righe() and the other
//    calls by row number count them at once).  With a filter or a
//    sort typed by the operator the same table is read through a fixed
//    SELECT ... WHERE (filter) ORDER BY sort, each text checked to be one
//    expression (Database::ControllaEspressione).  ApriQuery: the rows of
//    any SELECT.  A source that fails to open throws Errore and leaves the
//    grid showing what it showed.  When the archive is closed and opened
//    again under the grid (its copy, its repair) the grid opens its source
//    again by itself.
//  - Columns.  ImpostaColonne chooses fields, captions and formats; without
//    it every field is a column captioned with its name, in field order.
//  - Bookmarks.  Each row is identified by its record set's bookmark.  For
//    a table (without filter or sort) that is the row's identity in the
//    table: Recordset::SetBookmark of any table record set of the same
//    table finds it.  SelBookmarks: the rows the operator selected with the
//    row selectors at the left (click, Ctrl+click adds, Shift+click a
//    range), in the order he selected them.  A click on a cell only moves
//    the current cell and clears the selection of rows.
//  - Editing.  Off until ConsentiModifica / ConsentiAggiunta /
//    ConsentiEliminazione.  Each typed value is checked against its field
//    at once (Recordset::CheckField): a text too long, a number out of
//    range or of the wrong kind is refused with an "Errore:" message and
//    the cell keeps its value.  A changed row is stored whole, through the
//    record set (Edit or AddNew, SetField, Update), when the current cell
//    leaves it, or on SalvaModifiche; PrimaDiSalvare may refuse it (the
//    changes are then dropped).  Esc drops the changes of the row.  With
//    adding on, a last row marked "*" takes a new row; with deleting on,
//    the Del key deletes the current row after PrimaDiEliminare.
//  - Failures of the archive are shown as "Errore: " number, blank,
//    description, with the OK button only; reading failures are shown
//    once, after the painting that met them.
//
// One thread; no message box is shown from inside a paint.
#pragma once

#include <QList>
#include <QString>
#include <QTableView>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace obx {

class Errore;
class ModelloGriglia;

class GrigliaDati : public QTableView {
    Q_OBJECT
public:
    explicit GrigliaDati(QWidget* padre = nullptr);
    ~GrigliaDati() override;

    struct Colonna {
        QString campo;   // field name
        QString titolo;  // caption; empty: the field name
        // Text shown for a value (Null included); empty: the default text
        // (dates "dd/MM/yyyy hh:mm:ss", numbers in Italian, texts as held).
        std::function<QString(const QVariant&)> formato;
    };
    // Applies to the next source opened (and to the open one).
    void ImpostaColonne(std::vector<Colonna> colonne);

    void ApriTabella(const QString& tabella, const QString& indice = QStringLiteral("TAG_A"),
                     const QString& filtro = QString(), const QString& ordine = QString());
    void ApriQuery(const QString& sql, const QVariantList& valori = {});
    // Reads the source again (rows changed elsewhere appear; the filter and
    // sort in force stay); the selection of rows is emptied.
    void Aggiorna();
    void Chiudi();
    bool Aperta() const;

    void ConsentiModifica(bool consenti);
    void ConsentiAggiunta(bool consenti);
    void ConsentiEliminazione(bool consenti);

    // Rows of the source (the "*" row not counted).
    int Righe() const;
    // Fields of the source, in order; the name of a column's field.
    QStringList Campi() const;
    QString CampoColonna(int colonna) const;
    // The bookmark of a row (-1 outside the rows), its value of a field, the
    // text of a cell as shown.
    qint64 Segnalibro(int riga) const;
    QVariant Valore(int riga, const QString& campo) const;
    QString TestoCella(int riga, int colonna) const;
    // The current cell; -1 when there is none.
    int RigaCorrente() const;
    int ColonnaCorrente() const;
    void ImpostaCorrente(int riga, int colonna);
    // Bookmarks of the selected rows in the order of selection.
    QList<qint64> SelBookmarks() const;
    // Selects a row as a click on its selector would (aggiungi: as with Ctrl).
    void SelezionaRiga(int riga, bool aggiungi);
    void AzzeraSelezione();

    // Types a value into a cell as the operator does; false when refused.
    bool ScriveCella(int riga, int colonna, const QString& testo);
    // Stores the changed row now (asking PrimaDiSalvare); true when nothing
    // is left unstored.
    bool SalvaModifiche();
    void AnnullaModifiche();
    bool InModifica() const;
    // Deletes a row as the Del key does; true when deleted.
    bool EliminaRiga(int riga);

    // Before a row is deleted / a changed row stored: false cancels.
    std::function<bool()> PrimaDiEliminare;
    std::function<bool()> PrimaDiSalvare;
    // A click on a column's caption.
    std::function<void(int colonna)> ClicIntestazione;
    // The longest a filter or sort typed by the operator may keep the
    // engine busy before it is stopped and refused (3 s; tests set less).
    static void ImpostaLimiteCalcolo(int millisecondi);

    // How a failure is shown; by default the "Errore:" message.
    std::function<void(const Errore&)> MostraErrore;

protected:
    void currentChanged(const QModelIndex& corrente, const QModelIndex& precedente) override;
    void selectionChanged(const QItemSelection& scelte, const QItemSelection& tolte) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& indice,
                                                         const QEvent* evento = nullptr) const override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    friend class ModelloGriglia;
    void Segnala(const Errore& e);
    void Adatta();
    ModelloGriglia* m_modello = nullptr;
    QList<qint64> m_selezione;
    bool m_inSalvataggio = false;
};

// The message of a failure as the grid windows show it: "Errore: " & number
// & " " & description.
QString TestoErrore(const Errore& e);

}  // namespace obx

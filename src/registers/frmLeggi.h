// "Atti": the register of the acts tree of the regional assembly (table
// "LEGGI"), the whole tree beside a panel for one act.  From the panel the
// operator adds an act under the selected node, changes the selected act,
// deletes it with its sub-acts, empties the table and prints the list of
// acts.  The rows, keys, texts and tags follow RecordAtti.h and
// AlberoAtti.h, as at the console.
//
// The panel works on the act it loaded: "Salva" stores that act (or the new
// act under the parent it was opened for) whatever node is selected when it
// is clicked.  Control arrays are named with their index, as
// "cmdLeggi(5)".
#pragma once

#include <QWidget>
#include <array>

#include "platform/Albero.h"
#include "platform/Database.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace obx {

class frmLeggi : public QWidget {
    Q_OBJECT
public:
    explicit frmLeggi(QWidget* padre = nullptr);
    ~frmLeggi() override;

    // Shows the window without blocking; an open one is brought forward.
    static frmLeggi* Mostra(QWidget* padre = nullptr);
    static frmLeggi* Aperta();

    void Form_Load();
    void Form_Activate();
    void cmbLegge_LostFocus(int indice);
    void getLegge_GotFocus(int indice);
    // Mode 0 a new act under the node of that tag (empty: under the root),
    // 1 the act of that tag for editing, 2 an empty panel.
    void MostraAtto(int modo, const QString& tag, bool xConFigli);
    // 0 "Varia", 1 "Elimina", 2 "Svuota intero Archivio (+Ctrl)", 3 "Fine",
    // 4 "Aggiunge", 5 "Salva", 6 "Stampa".
    void cmdLeggi_Click(int indice);

    Albero& oAlbero() { return m_albero; }
    QTreeWidget* VistaAlbero() const { return m_vista; }
    QComboBox* cmbLegge(int i) const { return m_cmbLegge[size_t(i)]; }
    QWidget* getLegge(int i) const { return m_getLegge[size_t(i)]; }
    QLabel* lblLegge(int i) const { return m_lblLegge[size_t(i)]; }
    QPushButton* cmdLeggi(int i) const { return m_cmdLeggi[size_t(i)]; }
    // Text of field i (0 number, 1 description, 2 identifier).
    QString Testo(int i) const;
    void ImpostaTesto(int i, const QString& testo);

    bool xModifica = false;
    int iLivello = 0;
    int iTipoScelto = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void RicaricaAlbero();
    void SegueSelezione();
    void MostraPannello(bool mostra);
    void Salva();
    void Elimina(NodoAlbero* nodo, bool figli);
    void Svuota();
    bool ApreLeggi();
    void MostraErrore(const Errore& e);

    Albero m_albero;
    QTreeWidget* m_vista = nullptr;
    NodoAlbero* nodoCorrente = nullptr;
    Recordset rsLeggi;
    std::array<QComboBox*, 2> m_cmbLegge{};
    std::array<QWidget*, 3> m_getLegge{};
    QPlainTextEdit* m_descrizione = nullptr;
    std::array<QLabel*, 5> m_lblLegge{};
    std::array<QPushButton*, 7> m_cmdLeggi{};
    bool m_attivata = false;

    // The act the panel holds: its code (0 for a new act), type letter,
    // identifier at its level as loaded, node key, and whether it had
    // sub-acts when it was loaded.
    int m_codiceCaricato = 0;
    QString m_tipoCaricato;
    QString m_idCaricato;
    QString m_nodoCaricato;
    bool m_conFigli = false;
    // The identifier last proposed for a new act in the box.
    QString m_idProposto;
};

}  // namespace obx

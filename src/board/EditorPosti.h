// What the two seat-layout editors share: the panel with the 72 seat labels,
// the list of the seats still to place ("DISPONIBILI:"), the grid snap with
// its step, dragging a label with the mouse, removal with Ctrl+click, and
// the commands "Annulla", "Fine" and "Reset".  Each editor works on a
// layout model of its own (Disposizione) read from the archive whenever the
// window is shown: a return to a window left open keeps the work in hand.
//
// A drag runs with the mouse button held: the press on a label records
// where it was taken, the label follows the pointer, and the release drops
// it where the pointer stands, measured on the panel whatever lies under
// it; a release off the panel puts the label back.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <array>

#include "board/Disposizione.h"
#include "board/Etichetta.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTimer;

namespace obx {

class EditorPosti : public QWidget {
    Q_OBJECT
public:
    static constexpr int kEtichette = Disposizione::kEtichette;

    Disposizione& Modello() { return m_modello; }

    QGroupBox* boxPosti() const { return m_boxPosti; }
    // Seat labels 1..72 (0 the hidden template); nullptr outside.
    Etichetta* txtAnag(int k) const;
    QListWidget* lstLiberi() const { return m_lstLiberi; }
    QLabel* lblPosti() const { return m_lblPosti; }
    QCheckBox* chkAllinea() const { return m_chkAllinea; }
    QScrollBar* barAllinea() const { return m_barAllinea; }
    QLabel* txtAllinea() const { return m_txtAllinea; }
    // The command buttons; nullptr outside the window's set.
    QPushButton* cmdPosti(int i) const;
    // The window's own line for what it cannot do now (a vote in hand, a
    // seat it cannot place): said here, where a message box would hold up
    // a running vote's key collection.
    QLabel* lblStato() const { return m_lblStato; }
    // The commands that would ask or open a window of their own are
    // unavailable while a vote is in hand; the window follows the vote by
    // itself while shown.
    void AggiornaComandi();

    // Reads the layout again and rebuilds the labels and the list from it;
    // the snap is switched off with the step at 100.
    void Form_Activate();
    void barAllinea_Change();
    void chkAllinea_Click();
    // A press on seat label Index: Button 1 left, 2 right, 4 middle; Shift
    // bits 1 Shift, 2 Ctrl, 4 Alt; X, Y twips inside the label.  With Ctrl
    // the seat leaves the panel, otherwise the label is taken for a drag.
    void txtAnag_MouseDown(int Index, int Button, int Shift, float X, float Y);
    // The dragged label dropped on label Index at X, Y twips inside that
    // label, or on the panel at X, Y twips of the panel.
    void txtAnag_DragDrop(int Index, float X, float Y);
    void boxPosti_DragDrop(float X, float Y);
    // The label being dragged, 0 when none.
    int Trascinata() const { return m_trascinata; }
    // A click on the list's current entry.
    void lstLiberi_Click();
    virtual void cmdPosti_Click(int i) = 0;

    // The seat index a label carries in its tag (0 none).
    static int PostoDellaEtichetta(const Etichetta* e);

protected:
    EditorPosti(Disposizione::Pannello pannello, QWidget* padre);

    // The one window of an editor, made on first use and shown without
    // blocking; an open one is brought forward with the work in hand (its
    // layout is read again only when it is shown anew).
    template <class T>
    static T* MostraEditor(QPointer<T>& finestra, QWidget* padre)
    {
        if (!finestra) finestra = new T(padre);
        if (finestra->isVisible()) {
            finestra->raise();
            finestra->activateWindow();
        } else {
            finestra->show();
        }
        return finestra;
    }

    // Builds the panel of the given size (twips) with its labels of the
    // given size, and the common side controls.
    void CreaPannello(double larghezza, double altezza, double larghezzaEtichetta, double altezzaEtichetta,
                      Etichetta::Allineamento allineamento, bool grassetto);
    // Adds command button i with its caption; unavailable during a vote
    // when it would ask or open a modal window.
    QPushButton* CreaComando(int i, const QString& testo, bool bloccatoDuranteVoto = false);
    // True, with the reason on the status line, while a vote is in hand.
    bool RifiutaDuranteVotoQui();
    // A message for the operator: a box outside a vote, the status line
    // during one.
    void Avvisa(const QString& testo);
    // The look of a seat label shown (colours), for each editor.
    virtual void StileEtichetta(Etichetta* e) = 0;

    // The commands.
    void Annulla();
    bool Fine();
    void Reset();

    double TwipsX() const { return m_twX; }
    double TwipsY() const { return m_twY; }
    int PxX(double twips) const;
    int PxY(double twips) const;

    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void PosizionaPosto(int k, double left, double top);
    void Mostra(int k, int i);
    void Libera(int k);
    void AggiungeLibero(int i, bool nomeIntero);
    void AnnullaTrascinamento();

    Disposizione m_modello;
    double m_twX = 15, m_twY = 15;
    QGroupBox* m_boxPosti = nullptr;
    std::array<Etichetta*, kEtichette + 1> m_txtAnag{};
    QListWidget* m_lstLiberi = nullptr;
    QLabel* m_lblPosti = nullptr;
    QCheckBox* m_chkAllinea = nullptr;
    QScrollBar* m_barAllinea = nullptr;
    QLabel* m_txtAllinea = nullptr;
    std::array<QPushButton*, 5> m_cmdPosti{};
    std::array<bool, 5> m_bloccatoDuranteVoto{};
    QLabel* m_lblStato = nullptr;
    QTimer* m_vegliaVoto = nullptr;
    bool m_votoVisto = false;

    // The drag: the label taken and where it was taken inside it (twips;
    // -1, -1 when no drag runs).
    int m_trascinata = 0;
    QPointF m_presa{-1, -1};
};

}  // namespace obx

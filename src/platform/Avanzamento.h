// The progress of long work in the program with its windows: a bar under a
// caption and the count of the steps done of the total ("1200 di 20000"),
// modal, with the button "Interrompi" that stops the work, shown only once
// the work has lasted a moment.  The work asks Fermato() after each step
// and, once stopped, leaves nothing half done and does not say it is done.
// Short work shows nothing, and neither does work done without windows
// (command files, the tests of the writers).
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QProgressDialog;

namespace obx {

class Avanzamento {
public:
    // testo: the caption; totale: the steps of the work.
    Avanzamento(const QString& testo, int totale);
    ~Avanzamento();
    Avanzamento(const Avanzamento&) = delete;
    Avanzamento& operator=(const Avanzamento&) = delete;

    // Step n of the work is done.
    void Passo(int n);
    // The window of the bar; nullptr when this work shows none.
    QProgressDialog* Finestra() const { return m_dlg.get(); }

    // Whether the work was stopped ("Interrompi", or Esc on the window).
    bool Fermato() const;
    // Stops the work as the button does.
    void Ferma() { m_fermato = true; }

    // The text under the caption: "n di totale".
    static QString Conteggio(int n, int totale);

    // Stands in for the operator where no window shows (the tests): called
    // after every step with the step and the total; true stops the work as
    // the button would.  An empty function removes it.
    using Arresto = std::function<bool(int n, int totale)>;
    static void ImpostaArresto(Arresto arresto);

    // Work of fewer steps shows nothing; the bar moves every kOgni steps.
    static constexpr int kMinimo = 500;
    static constexpr int kOgni = 100;

private:
    std::unique_ptr<QProgressDialog> m_dlg;
    QString m_testo;
    int m_totale = 0;
    bool m_fermato = false;
};

}  // namespace obx

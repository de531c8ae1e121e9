// The progress of long work in the program with its windows: a bar under a
// caption, modal, without a button (the work runs to its end), shown only
// once the work has lasted a moment.  Short work shows nothing, and neither
// does work done without windows (command files, the tests of the writers).
#pragma once

#include <QString>
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

    // Work of fewer steps shows nothing; the bar moves every kOgni steps.
    static constexpr int kMinimo = 500;
    static constexpr int kOgni = 100;

private:
    std::unique_ptr<QProgressDialog> m_dlg;
};

}  // namespace obx

// Message boxes, input boxes and the common dialogs go through one
// interface, so that tests can script the operator: every prompt the
// program shows is expected with its answer, and an unexpected one fails
// the test with its text.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

class QFileDialog;
class QPrinter;

namespace obx {

// Button sets, icons and default buttons (combined by addition), and the
// answers, with the values the stored habits of the program use.
enum StileMsg : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
enum RispostaMsg : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

inline const QString kTitoloOBX = QStringLiteral("O.B.X.");

class Dialoghi {
public:
    virtual ~Dialoghi() = default;

    // Returns the button chosen (vbOK, vbCancel, ...).
    virtual int MsgBox(const QString& testo, int stile = vbOKOnly, const QString& titolo = kTitoloOBX) = 0;
    // False when the operator cancels; the text typed otherwise.
    virtual bool InputBox(const QString& prompt, const QString& titolo, const QString& predefinito,
                          QString& risposta) = 0;
    // A file to read (or, with creaNuovo, a new name accepted after the
    // operator confirms its creation); empty when cancelled.
    virtual QString ApriFile(const QString& titolo, const QString& cartella, const QString& filtro, bool creaNuovo) = 0;
    // A file to write; empty when cancelled.
    virtual QString SalvaFile(const QString& titolo, const QString& cartella, const QString& filtro) = 0;
    // The printer dialog; false when cancelled.
    virtual bool ScegliStampante(QPrinter& stampante) = 0;
    // The colour dialog titled titolo, opened on colore (blue-green-red
    // order) and giving the choice back in it; false, with colore
    // untouched, when cancelled.
    virtual bool ScegliColore(int32_t& colore, const QString& titolo = QString()) = 0;
    // The font dialog titled titolo, opened on the font string
    // "name,styles,size" (style letters B, I, U, S) and giving the choice
    // back in it (the size as chosen, fraction included); false, with font
    // untouched, when cancelled.
    virtual bool ScegliFont(QString& font, const QString& titolo = QString()) = 0;
};

// The dialogs in use; the Qt ones unless a test installed its own.
Dialoghi& UI();
// Installs d (not owned); nullptr goes back to the Qt dialogs.
void ImpostaUI(Dialoghi* d);

// Qt implementation.
class DialoghiQt : public Dialoghi {
public:
    int MsgBox(const QString& testo, int stile, const QString& titolo) override;
    bool InputBox(const QString& prompt, const QString& titolo, const QString& predefinito, QString& risposta) override;
    QString ApriFile(const QString& titolo, const QString& cartella, const QString& filtro, bool creaNuovo) override;
    QString SalvaFile(const QString& titolo, const QString& cartella, const QString& filtro) override;
    bool ScegliStampante(QPrinter& stampante) override;
    bool ScegliColore(int32_t& colore, const QString& titolo) override;
    bool ScegliFont(QString& font, const QString& titolo) override;
};

// The file dialog ApriFile and SalvaFile show, built and not yet shown:
// Qt's own, with its texts in Italian.  Apri picks an existing file,
// ApriOCrea also takes a new name, Salva a file to write.
enum class ModoFile { Apri, ApriOCrea, Salva };
std::unique_ptr<QFileDialog> DialogoFile(const QString& titolo, const QString& cartella, const QString& filtro,
                                         ModoFile modo);

// Scripted implementation for tests: expectations are consumed in order.
// A prompt matches when its text equals the expected one, or contains it
// when the expectation was given as a fragment.
class DialoghiScriptati : public Dialoghi {
public:
    enum class Tipo { Msg, Input, Apri, Salva, Stampante, Colore, Font };
    struct Atteso {
        Tipo tipo;
        QString testo;
        bool frammento = false;
        int risposta = vbOK;  // MsgBox answer; 0/1 for the others (cancel/ok)
        QString valore;       // text, path or font returned
        int32_t colore = 0;
    };
    struct Visto {
        Tipo tipo;
        QString testo;
        QString titolo;
        int stile = 0;
        QString valore;  // colour (hexadecimal) or font the dialog opened on
    };

    void AttendiMsg(const QString& testo, int risposta = vbOK, bool frammento = false);
    void AttendiInput(const QString& prompt, const QString& valore, bool ok = true, bool frammento = false);
    void AttendiApri(const QString& titolo, const QString& percorso);
    void AttendiSalva(const QString& titolo, const QString& percorso);
    void AttendiStampante(bool ok);
    // A colour or font dialog; with a title, only one so titled.  An empty
    // font answer confirms the font the dialog opened on.
    void AttendiColore(int32_t colore, bool ok = true, const QString& titolo = QString());
    void AttendiFont(const QString& font, bool ok = true, const QString& titolo = QString());

    int MsgBox(const QString& testo, int stile, const QString& titolo) override;
    bool InputBox(const QString& prompt, const QString& titolo, const QString& predefinito, QString& risposta) override;
    QString ApriFile(const QString& titolo, const QString& cartella, const QString& filtro, bool creaNuovo) override;
    QString SalvaFile(const QString& titolo, const QString& cartella, const QString& filtro) override;
    bool ScegliStampante(QPrinter& stampante) override;
    bool ScegliColore(int32_t& colore, const QString& titolo) override;
    bool ScegliFont(QString& font, const QString& titolo) override;

    // Expectations not yet consumed.
    const std::deque<Atteso>& Restanti() const { return m_attesi; }
    // Every prompt shown, in order.
    const std::vector<Visto>& Storia() const { return m_storia; }
    // Called with a description of every unexpected prompt.
    std::function<void(const QString&)> Fallimento;

private:
    const Atteso* Prendi(Tipo t, const QString& testo, const QString& titolo, int stile);
    std::deque<Atteso> m_attesi;
    std::vector<Visto> m_storia;
    Atteso m_corrente;
};

}  // namespace obx

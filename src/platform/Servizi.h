// Small platform services the program asks for by name: the clock, the
// state of the Ctrl key, sound signals and the file copy.  Each can be
// replaced in tests.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace obx {

// Time of day and date.  Timer() is the seconds since midnight with a
// fraction; elapsed times are measured with Trascorso() (Testo.h), right
// across midnight.
class Orologio {
public:
    virtual ~Orologio() = default;
    virtual double Timer() = 0;
    virtual QDateTime Adesso() = 0;
};

class OrologioSistema : public Orologio {
public:
    double Timer() override;
    QDateTime Adesso() override;
};

// A clock that moves only when told to.
class OrologioFinto : public Orologio {
public:
    explicit OrologioFinto(QDateTime inizio = QDateTime(QDate(2026, 1, 15), QTime(9, 0))) : m_ora(inizio) {}
    double Timer() override { return m_ora.time().msecsSinceStartOfDay() / 1000.0; }
    QDateTime Adesso() override { return m_ora; }
    void Avanza(double secondi) { m_ora = m_ora.addMSecs(qint64(secondi * 1000)); }
    void Imposta(const QDateTime& t) { m_ora = t; }

private:
    QDateTime m_ora;
};

Orologio& Clock();
void ImpostaOrologio(Orologio* o);  // nullptr: the system clock

// Whether the Ctrl key is held now (it ends a wait and modifies clicks).
class Tastiera {
public:
    virtual ~Tastiera() = default;
    virtual bool CtrlPremuto() = 0;
};

class TastieraSistema : public Tastiera {
public:
    bool CtrlPremuto() override;
};

class TastieraFinta : public Tastiera {
public:
    bool ctrl = false;
    bool CtrlPremuto() override { return ctrl; }
};

Tastiera& Tasti();
void ImpostaTastiera(Tastiera* t);

// Sound signals: a file played without waiting for its end, or the beep.
// Where no audio device exists nothing is heard and nothing fails.
class Suono {
public:
    virtual ~Suono() = default;
    virtual void Riproduci(const QString& file) = 0;
    virtual void Beep() = 0;
};

class SuonoSistema : public Suono {
public:
    void Riproduci(const QString& file) override;
    void Beep() override;
};

// Records what would have been played.
class SuonoFinto : public Suono {
public:
    QStringList riprodotti;
    int beep = 0;
    void Riproduci(const QString& file) override { riprodotti << file; }
    void Beep() override { ++beep; }
};

Suono& Audio();
void ImpostaSuono(Suono* s);

// Copies a file; with falliseEsiste a file already at the destination is
// left alone and the copy fails.  The copy goes to a temporary name first
// and is renamed into place, so a failed copy never leaves half a file.
bool CopiaFile(const QString& da, const QString& a, bool falliseEsiste, QString* errore = nullptr);

}  // namespace obx

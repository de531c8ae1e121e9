// Test fixtures for the serial devices: the obx-sim simulator in a
// child process on a pseudo-terminal, a clock that runs faster than real
// time (so that the links' waits of seconds take a fraction of that), the
// "Porte.txt" of a test archive folder and the application object.
#pragma once

#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/Servizi.h"

class QApplication;

namespace obx::test {

#ifdef OBX_TOOLS_DIR
inline QString PercorsoSimulatore() { return QStringLiteral(OBX_TOOLS_DIR "/obx-sim"); }
#endif

// The application object the tests need (headless), created once.
QApplication& AppTest();

// obx-sim with the given options.  The log lines it prints are collected.
class Simulatore {
public:
    Simulatore(const QString& eseguibile, const QStringList& argomenti);
    ~Simulatore();
    Simulatore(const Simulatore&) = delete;
    Simulatore& operator=(const Simulatore&) = delete;

    // The device path it printed first; empty when it did not start.
    const QString& Percorso() const { return m_percorso; }
    // One command line on its standard input.
    void Comando(const QString& riga);
    // Sends "sync" and waits for its mark: every earlier command has run.
    bool Sincronizza(int ms = 3000);
    // Waits, keeping the event loop turning, for a log line that contains
    // the text, counting from the line after the last one found (so
    // successive calls find successive lines).  False on time-out.
    bool AttendeRiga(const QString& testo, int ms = 3000);
    // The log so far, and the lines that contain a text.
    QStringList Righe();
    int Conta(const QString& testo);
    // Ends it at once, as a cable pulled out.
    void Termina();

private:
    void Leggi();
    QProcess m_p;
    QString m_percorso;
    QStringList m_righe;
    QString m_parziale;
    int m_cursore = 0;
    int m_sync = 0;
};

// Lets the event loop turn until the condition holds; false after ms.
bool Finche(const std::function<bool()>& condizione, int ms = 3000);

// Writes "Porte.txt" into the folder (with its trailing separator): one
// line "n=path" for each entry.
void ScrivePorte(const QString& cartella, const QMap<int, QString>& porte);

// Time of day running `fattore` times faster than real time from `inizio`
// (seconds since midnight); wraps at midnight like the real one.
class OrologioVeloce : public Orologio {
public:
    explicit OrologioVeloce(double fattore, double inizio = 9 * 3600.0);
    double Timer() override;
    QDateTime Adesso() override;

private:
    double m_fattore;
    double m_inizio;
    QElapsedTimer m_t;
};

}  // namespace obx::test

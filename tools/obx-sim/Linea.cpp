#include "Sim.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace obxsim {

double Adesso()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::vector<Tipo>& Tipi()
{
    static std::vector<Tipo> t;
    return t;
}

std::string Mostra(const std::string& byte, bool binario)
{
    std::string r;
    char b[8];
    for (size_t i = 0; i < byte.size(); ++i) {
        const unsigned c = static_cast<unsigned char>(byte[i]);
        if (binario) {
            std::snprintf(b, sizeof b, i ? " %02X" : "%02X", c);
            r += b;
        } else if (c >= 0x20 && c < 0x7F && c != '\\') {
            r += char(c);
        } else {
            std::snprintf(b, sizeof b, "\\x%02X", c);
            r += b;
        }
    }
    return r;
}

std::string Sequenze(const std::string& t)
{
    std::string r;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '\\' || i + 1 >= t.size()) {
            r += t[i];
            continue;
        }
        const char c = t[++i];
        if (c == 'r')
            r += '\r';
        else if (c == 'n')
            r += '\n';
        else if (c == 't')
            r += '\t';
        else if (c == 's')
            r += ' ';
        else if (c == 'x' && i + 2 < t.size()) {
            const std::string h = t.substr(i + 1, 2);
            r += char(std::strtol(h.c_str(), nullptr, 16));
            i += 2;
        } else
            r += c;
    }
    return r;
}

bool Numero(const std::string& s, long& v)
{
    if (s.empty()) return false;
    char* fine = nullptr;
    v = std::strtol(s.c_str(), &fine, 0);
    return fine && *fine == 0;
}

void Linea::Invia(const std::string& frame, bool binario)
{
    std::string f = frame;
    std::string nota;
    if (perdi >= 0 && perdi < int(f.size())) {
        f.erase(size_t(perdi), 1);
        nota = " (byte " + std::to_string(perdi) + " lost)";
        perdi = -1;
    }
    if (altera >= 0 && altera < int(f.size())) {
        f[size_t(altera)] = char(f[size_t(altera)] ^ 0x55);
        nota += " (byte " + std::to_string(altera) + " garbled)";
        altera = -1;
    }
    if (silenzio) {
        if (log) log("TX " + Mostra(frame, binario) + " (silent: not sent)");
        return;
    }
    double t = m_coda.empty() ? Adesso() : std::max(Adesso(), m_coda.back().quando);
    if (dividi <= 0) {
        m_coda.push_back({t, f});
    } else {
        for (size_t i = 0; i < f.size(); i += size_t(dividi)) {
            if (i > 0 || !m_coda.empty()) t += pausaMs / 1000.0;
            m_coda.push_back({t, f.substr(i, size_t(dividi))});
        }
    }
    // What is due goes out now, so that a whole frame is on the line by the
    // time its TX line is logged.
    if (fd >= 0) Scrivi(fd);
    if (log) log("TX " + Mostra(frame, binario) + nota);
}

double Linea::Prossimo() const { return m_coda.empty() ? kMai : m_coda.front().quando; }

void Linea::Scrivi(int porta)
{
    const double ora = Adesso();
    while (!m_coda.empty() && m_coda.front().quando <= ora) {
        Pezzo& p = m_coda.front();
        const ssize_t n = ::write(porta, p.byte.data(), p.byte.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return;  // the far end is full: try again later
        }
        p.byte.erase(0, size_t(n));
        if (!p.byte.empty()) return;
        m_coda.pop_front();
    }
}

}  // namespace obxsim

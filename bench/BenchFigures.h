#pragma once

#include <QElapsedTimer>
#include <QVector>
#include <algorithm>
#include <ctime>
#include <sys/resource.h>

// Figures the measurements print. Each run is timed twice: on the clock, and
// as the processor time the work took (this process's, or its finished child
// processes'), which other programs running on the machine do not inflate.
namespace BenchFigures {

inline double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

struct Series
{
    QVector<double> wall;   // ms
    QVector<double> cpu;    // ms
};

class Stopwatch
{
public:
    enum Whose { ThisProcess, ChildProcesses };
    explicit Stopwatch(Whose whose = ThisProcess) : m_whose(whose) { restart(); }

    void restart()
    {
        m_cpuStart = cpuMs();
        m_wall.start();
    }
    // Adds the time since the start (or the last lap) to the series and restarts.
    void lap(Series &series)
    {
        series.wall << m_wall.nsecsElapsed() / 1e6;
        series.cpu << cpuMs() - m_cpuStart;
        restart();
    }

private:
    double cpuMs() const
    {
        if (m_whose == ChildProcesses) {
            rusage usage {};
            getrusage(RUSAGE_CHILDREN, &usage);
            const auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
            return ms(usage.ru_utime) + ms(usage.ru_stime);
        }
        timespec t {};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    }

    Whose m_whose;
    double m_cpuStart = 0.0;
    QElapsedTimer m_wall;
};

} // namespace BenchFigures

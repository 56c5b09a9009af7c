// A second yardstick for the searches in scripts/bench.sh: what any program
// built on the toolkit's core pays to read an archive, with nothing of the
// program in it. It loads Qt Core, reads the file through QFile in 128 KB
// blocks as cat does, and ends. Set beside cat, it shows how much of a
// small search's time is the toolkit's start rather than the search.

#include <QFile>
#include <QString>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return 1;
    constexpr qint64 kBlocco = 128 * 1024;
    const std::unique_ptr<char[]> blocco(new char[kBlocco]);
    qint64 letti = 0;
    for (qint64 n; (n = f.read(blocco.get(), kBlocco)) > 0;)
        letti += n;
    std::printf("%lld\n", static_cast<long long>(letti));
    return 0;
}

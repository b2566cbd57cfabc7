#include "byte_mutations.h"

#include <QString>

namespace {

// Bytes that mean something to the readers under test.
const char Meaningful[] = {'\0', '\n', '\r', '[', ']', '=', '\\', ' ', '\x7f', '\x80', '\xc3', '\xff'};

char someByte(QRandomGenerator &random)
{
    return random.bounded(2) ? Meaningful[random.bounded(int(sizeof Meaningful))] : char(random.bounded(256));
}

}

QByteArray mutated(QByteArray data, QRandomGenerator &random, int mutations, int headBytes)
{
    for (int m = 0; m < mutations && !data.isEmpty(); ++m) {
        const qsizetype span = headBytes > 0 && random.bounded(2) ? qMin<qsizetype>(headBytes, data.size()) : data.size();
        const qsizetype at = random.bounded(int(span));
        const qsizetype length = qMin<qsizetype>(1 + random.bounded(16), data.size() - at);
        switch (random.bounded(6)) {
        case 0:
            data[at] = char(data[at] ^ (1 << random.bounded(8)));
            break;
        case 1:
            for (qsizetype i = at; i < at + length; ++i)
                data[i] = someByte(random);
            break;
        case 2: {
            QByteArray inserted;
            for (qsizetype i = 0; i < length; ++i)
                inserted += someByte(random);
            data.insert(at, inserted);
            break;
        }
        case 3:
            data.remove(at, length);
            break;
        case 4:
            data.insert(at, data.mid(at, length).repeated(1 + random.bounded(64)));
            break;
        default:
            data.truncate(at);
        }
    }
    return data;
}

quint32 fuzzSeed()
{
    return qEnvironmentVariableIsSet("TILLANO_FUZZ_SEED") ? qEnvironmentVariable("TILLANO_FUZZ_SEED").toUInt()
                                                          : QRandomGenerator::global()->generate();
}

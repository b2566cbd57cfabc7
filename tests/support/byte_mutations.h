#pragma once

#include <QByteArray>
#include <QRandomGenerator>

// Random damage for the fuzz tests: each mutation flips, overwrites,
// inserts, deletes or repeats a few bytes somewhere in the data, or cuts
// it short. `headBytes` > 0 aims half of the mutations at the first bytes
// (a file's header).
QByteArray mutated(QByteArray data, QRandomGenerator &random, int mutations, int headBytes = 0);

// The seed of a fuzz test: TILLANO_FUZZ_SEED when set (to replay a
// failure), else a new one. Failures report it.
quint32 fuzzSeed();

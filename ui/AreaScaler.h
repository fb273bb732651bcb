// Shrinks a picture by area averaging, fed one source row at a time: each target pixel is the
// mean of the source area it covers, as Qt's smooth scaling gives when shrinking. Rows can be
// handed over while a decoder is still making the later ones.
//
// The three channels of a pixel travel together in one 64-bit word, 21 bits each, so that one
// multiplication weighs all three. Weights are in 1/256: the weights of a target column, and
// of a target row, add up to exactly 256, so a flat area keeps exactly its colour.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

class AreaScaler {
public:
    // True when the target is not empty and no side of it exceeds the source's.
    static bool canScale(QSize source, QSize target);

    AreaScaler(QSize source, QSize target);

    // False when there was no memory for the target picture.
    bool isValid() const { return !m_target.isNull(); }
    // The next source row: source.width() pixels of 0xffRRGGBB. Rows past the last are ignored.
    void addRow(const QRgb *row);
    // The target picture, Format_RGB32; complete once every source row was added.
    QImage takeImage() { return std::move(m_target); }

private:
    // What one target pixel or row gathers: `count` source ones from `first` on, with their
    // weights from `offset` on in the shared list.
    struct Tap {
        int first = 0;
        int count = 0;
        int offset = 0;
    };
    struct Taps {
        std::vector<Tap> taps;
        std::vector<std::uint32_t> weights;
    };
    static Taps taps(int sourceLength, int targetLength);
    std::uint32_t rowWeight(int targetRow) const;
    void emitRow();

    QSize m_source;
    Taps m_columns;
    Taps m_rows;
    std::vector<std::uint64_t> m_spread; // the current source row, a word a pixel
    std::vector<std::uint64_t> m_shrunk; // the same, shrunk to the target width
    std::vector<std::uint64_t> m_sums;   // the target row being gathered
    std::vector<std::uint64_t> m_next;   // the one after it, for a source row on the border
    int m_sourceRow = 0;
    int m_targetRow = 0;
    QImage m_target;
};

#include "ui/AreaScaler.h"

#include <algorithm>

namespace {

constexpr int WeightBits = 8;
constexpr std::int64_t WholeWeight = std::int64_t(1) << WeightBits;
constexpr int LaneBits = 21;
constexpr std::uint64_t LaneMask = (std::uint64_t(1) << LaneBits) - 1;
// A shrunk row keeps 13 bits a channel (8 of colour, 5 of fraction), so that a target row's
// weighed rows still fit a lane: 8160 * 256 < 2^21.
constexpr int DroppedBits = 3;
constexpr std::uint64_t ShrunkLane = (std::uint64_t(1) << (8 + WeightBits - DroppedBits)) - 1;
constexpr std::uint64_t ShrunkMask =
    ShrunkLane | ShrunkLane << LaneBits | ShrunkLane << (2 * LaneBits);
constexpr int ResultShift = 2 * WeightBits - DroppedBits;
constexpr std::uint64_t Half = std::uint64_t(1) << (ResultShift - 1);

std::uint64_t spread(QRgb pixel)
{
    return std::uint64_t(qBlue(pixel)) | std::uint64_t(qGreen(pixel)) << LaneBits |
           std::uint64_t(qRed(pixel)) << (2 * LaneBits);
}

QRgb gathered(std::uint64_t sums)
{
    const auto lane = [sums](int index) {
        return int((((sums >> (index * LaneBits)) & LaneMask) + Half) >> ResultShift);
    };
    return qRgb(lane(2), lane(1), lane(0));
}

} // namespace

bool AreaScaler::canScale(QSize source, QSize target)
{
    return !target.isEmpty() && target.width() <= source.width() &&
           target.height() <= source.height();
}

// Target pixel k covers source [k * S / T, (k + 1) * S / T). Counted in 1/T of a source pixel
// that is [k * S, (k + 1) * S), while source pixel j covers [j * T, (j + 1) * T): the overlaps
// are exact integers adding up to S. Rounding their running sum keeps the weights' sum at 256.
AreaScaler::Taps AreaScaler::taps(int sourceLength, int targetLength)
{
    const std::int64_t s = sourceLength;
    const std::int64_t t = targetLength;
    Taps result;
    result.taps.resize(static_cast<std::size_t>(targetLength));
    for (std::int64_t k = 0; k < t; ++k) {
        const std::int64_t begin = k * s;
        const std::int64_t end = begin + s;
        Tap &tap = result.taps[static_cast<std::size_t>(k)];
        tap.first = int(begin / t);
        tap.count = int((end - 1) / t) - tap.first + 1;
        tap.offset = int(result.weights.size());
        std::int64_t covered = 0;
        std::int64_t given = 0;
        for (int j = tap.first; j < tap.first + tap.count; ++j) {
            covered += std::min(end, (j + 1) * t) - std::max(begin, j * t);
            const std::int64_t upTo = (covered * WholeWeight + s / 2) / s;
            result.weights.push_back(std::uint32_t(upTo - given));
            given = upTo;
        }
    }
    return result;
}

AreaScaler::AreaScaler(QSize source, QSize target)
    : m_source(source)
    , m_columns(taps(source.width(), target.width()))
    , m_rows(taps(source.height(), target.height()))
    , m_spread(static_cast<std::size_t>(source.width()))
    , m_shrunk(static_cast<std::size_t>(target.width()))
    , m_sums(static_cast<std::size_t>(target.width()))
    , m_next(static_cast<std::size_t>(target.width()))
    , m_target(target, QImage::Format_RGB32)
{
    Q_ASSERT(canScale(source, target));
}

// The weight of the current source row in a target row; 0 when the row lies outside it.
std::uint32_t AreaScaler::rowWeight(int targetRow) const
{
    const Tap &tap = m_rows.taps[static_cast<std::size_t>(targetRow)];
    const int index = m_sourceRow - tap.first;
    return index >= 0 && index < tap.count
               ? m_rows.weights[static_cast<std::size_t>(tap.offset + index)]
               : 0;
}

void AreaScaler::addRow(const QRgb *row)
{
    const int targetRows = int(m_rows.taps.size());
    if (m_sourceRow >= m_source.height() || m_targetRow >= targetRows || !isValid())
        return;
    for (std::size_t x = 0; x < m_spread.size(); ++x)
        m_spread[x] = spread(row[x]);
    const std::uint32_t *weight = m_columns.weights.data();
    for (std::size_t x = 0; x < m_shrunk.size(); ++x) {
        const Tap &tap = m_columns.taps[x];
        const std::uint64_t *pixel = m_spread.data() + tap.first;
        std::uint64_t sum = 0;
        for (int i = 0; i < tap.count; ++i)
            sum += *weight++ * pixel[i];
        m_shrunk[x] = (sum >> DroppedBits) & ShrunkMask;
    }

    // A source row on the border between two target rows counts for both.
    if (const std::uint64_t w = rowWeight(m_targetRow)) {
        for (std::size_t x = 0; x < m_sums.size(); ++x)
            m_sums[x] += w * m_shrunk[x];
    }
    if (m_targetRow + 1 < targetRows) {
        if (const std::uint64_t w = rowWeight(m_targetRow + 1)) {
            for (std::size_t x = 0; x < m_next.size(); ++x)
                m_next[x] += w * m_shrunk[x];
        }
    }

    const Tap &current = m_rows.taps[static_cast<std::size_t>(m_targetRow)];
    if (m_sourceRow == current.first + current.count - 1)
        emitRow();
    ++m_sourceRow;
}

void AreaScaler::emitRow()
{
    auto *out = reinterpret_cast<QRgb *>(m_target.scanLine(m_targetRow));
    for (const std::uint64_t sums : m_sums)
        *out++ = gathered(sums);
    std::swap(m_sums, m_next);
    std::fill(m_next.begin(), m_next.end(), 0);
    ++m_targetRow;
}

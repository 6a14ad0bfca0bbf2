#include "output_file.h"

#include <gtest/gtest.h>

#include "support/convert.h"

namespace {

struct Collected {
    std::vector<uint8_t> bytes;
    std::vector<size_t> pieces;  // the size of each piece the sink took
    bool refuse = false;
    OutputFile::Sink Sink() {
        return [this](std::span<const uint8_t> data) {
            if (refuse) return false;
            bytes.insert(bytes.end(), data.begin(), data.end());
            pieces.push_back(data.size());
            return true;
        };
    }
};

TEST(OutputFile, SeeksLeaveZeroGapsLikeAFile) {
    Collected file;
    OutputFile fo(file.Sink());
    const std::vector<uint8_t> data{1, 2, 3, 4, 5};
    fo.Seek(3);
    fo.Write(std::span(data).subspan(0, 2));
    fo.Seek(9);
    fo.Write(std::span(data).subspan(2, 3));
    fo.Seek(4);
    fo.Write(std::span(data).subspan(4, 1));  // over a byte already placed
    fo.Flush();
    EXPECT_EQ(Hex(file.bytes), "00 00 00 01 05 00 00 00 00 03 04 05");
}

TEST(OutputFile, ExtendClearsWhatItCovers) {
    Collected file;
    OutputFile fo(file.Sink());
    const std::vector<uint8_t> data{7, 7, 7, 7};
    fo.Write(data);
    fo.Seek(1);
    uint8_t* place = fo.Extend(5);
    place[4] = 9;
    fo.Flush();
    EXPECT_EQ(Hex(file.bytes), "07 00 00 00 00 09");
}

TEST(OutputFile, FlushHandsOnInOrderAndForgets) {
    Collected file;
    OutputFile fo(file.Sink());
    fo.Write(std::vector<uint8_t>{1, 2});
    fo.Flush();
    fo.Flush();  // nothing new: no empty piece
    fo.Write(std::vector<uint8_t>{3});
    fo.Seek(5);
    fo.Write(std::vector<uint8_t>{6});
    fo.Flush();
    EXPECT_EQ(Hex(file.bytes), "01 02 03 00 00 06");
    EXPECT_EQ(file.pieces, (std::vector<size_t>{2, 4}));
    fo.Seek(1);
    EXPECT_THROW(fo.Write(std::vector<uint8_t>{0}), std::logic_error);
}

TEST(OutputFile, RefusedBytesMakeItFailAndLaterOnesAreDropped) {
    Collected file;
    OutputFile fo(file.Sink());
    file.refuse = true;
    fo.Write(std::vector<uint8_t>{1});
    fo.Flush();
    EXPECT_TRUE(fo.Failed());
    file.refuse = false;
    fo.Write(std::vector<uint8_t>{2});
    fo.Flush();
    EXPECT_TRUE(fo.Failed());
    EXPECT_TRUE(file.bytes.empty());
}

}  // namespace

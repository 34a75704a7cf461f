#include "sim/sim_request_parser.h"

#include "link/frame.h"

namespace tessel::sim {

namespace {

// LEN of a request counts LEN, SEQ, CMD and the postamble besides the data.
constexpr std::size_t kOverheadType2 = 10;
constexpr std::size_t kOverheadType1 = 4;

}  // namespace

std::size_t RequestParser::fieldWidth() const {
    return format_ == TPacketFormat::protocol_Type2 ? frame::kWordSize : 1;
}

RequestParser::Result RequestParser::fail() {
    stage_ = Stage::preamble;
    return Result::broken;
}

bool RequestParser::abandon() {
    const bool had = inFrame();
    stage_ = Stage::preamble;
    return had;
}

void RequestParser::enterData() {
    stage_ = dataLength_ > 0 ? Stage::data : Stage::postamble;
}

RequestParser::Result RequestParser::feed(std::uint8_t byte) {
    const bool type2 = format_ == TPacketFormat::protocol_Type2;
    switch (stage_) {
        case Stage::preamble:
            // Anything before SOH is line noise and is ignored.
            if (byte != frame::kPreamble) return Result::needMore;
            request_ = Request{};
            request_.raw.push_back(byte);
            field_.clear();
            sum_ = 0;
            stage_ = Stage::length;
            return Result::needMore;
        case Stage::terminator:
            request_.raw.push_back(byte);
            stage_ = Stage::preamble;
            return byte == frame::kTerminator ? Result::request : Result::broken;
        default:
            break;
    }
    request_.raw.push_back(byte);
    if (stage_ != Stage::bcc) sum_ = static_cast<std::uint16_t>(sum_ + byte);
    switch (stage_) {
        case Stage::length: {
            field_.push_back(byte);
            if (field_.size() < fieldWidth()) return Result::needMore;
            const std::size_t len = type2 ? frame::decodeWord(field_.data()) : field_[0];
            const std::size_t overhead =
                frame::kLengthOffset + (type2 ? kOverheadType2 : kOverheadType1);
            if (len < overhead) return fail();
            dataLength_ = len - overhead;
            field_.clear();
            stage_ = Stage::seq;
            return Result::needMore;
        }
        case Stage::seq:
            request_.seq = byte;
            stage_ = Stage::command;
            return Result::needMore;
        case Stage::command:
            field_.push_back(byte);
            if (field_.size() < fieldWidth()) return Result::needMore;
            request_.command = type2 ? frame::decodeWord(field_.data()) : field_[0];
            field_.clear();
            enterData();
            return Result::needMore;
        case Stage::data:
            request_.data.push_back(byte);
            if (request_.data.size() == dataLength_) stage_ = Stage::postamble;
            return Result::needMore;
        case Stage::postamble:
            // A wrong LEN shows up here: the byte at the postamble's place is data.
            if (byte != frame::kPostamble) return fail();
            stage_ = Stage::bcc;
            return Result::needMore;
        case Stage::bcc:
            field_.push_back(byte);
            if (field_.size() < frame::kWordSize) return Result::needMore;
            if (frame::decodeWord(field_.data()) != sum_) return fail();
            stage_ = Stage::terminator;
            return Result::needMore;
        default:
            return fail();
    }
}

}  // namespace tessel::sim

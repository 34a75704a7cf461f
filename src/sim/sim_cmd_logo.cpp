// Command 202: logo upload (a BMP file in Base64 pieces) and restart.

#include <cstdio>

#include "sim/sim_base64.h"
#include "sim/sim_commands.h"
#include "sim/sim_errors.h"

namespace tessel::sim {

namespace {

constexpr std::size_t kMaxLogoBytes = 256 * 1024;
constexpr std::size_t kBmpHeaderBytes = 54;

std::string hexSum(std::uint32_t sum) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", sum);
    return text;
}

bool isBmp(const Bytes& file) {
    return file.size() >= kBmpHeaderBytes && file[0] == 'B' && file[1] == 'M';
}

Reply uploadPiece(CommandContext& ctx, const std::string& piece) {
    SessionState& s = ctx.session;
    if (!s.logoUploading) return Reply::error(err::kOperationRejected);
    const auto bytes = decodeBase64(piece);
    if (!bytes || bytes->empty()) return Reply::error(err::kInvalidFormat);
    if (s.logoUpload.size() + bytes->size() > kMaxLogoBytes)
        return Reply::error(err::kWrongDataLength);
    for (std::uint8_t b : *bytes) s.logoSum += b;
    s.logoUpload.insert(s.logoUpload.end(), bytes->begin(), bytes->end());
    return {0, {hexSum(s.logoSum)}, std::nullopt};
}

}  // namespace

Reply cmdLogo(CommandContext& ctx, const Fields& f) {
    SessionState& s = ctx.session;
    const std::string& word = fieldAt(f, 0);
    if (word.empty()) return Reply::error(err::syntaxOfField(0));
    if (word == "START") {
        s.logoUploading = true;
        s.logoReady = false;
        s.logoUpload.clear();
        s.logoSum = 0;
        return {};
    }
    if (word == "STOPP") {
        if (!s.logoUploading) return Reply::error(err::kOperationRejected);
        s.logoUploading = false;
        s.logoReady = true;
        return {0, {hexSum(s.logoSum)}, std::nullopt};
    }
    if (word == "UPDATE") {
        if (!s.logoReady) return Reply::error(err::kOperationRejected);
        s.logoReady = false;
        if (!isBmp(s.logoUpload)) return Reply::error(err::kInvalidFormat);
        ctx.state.logo = std::move(s.logoUpload);
        s.logoUpload.clear();
        ctx.changed = true;
        return {};
    }
    if (word == "RESTART") {
        // A restart forgets the working state; what is stored stays.
        s = SessionState{};
        return {};
    }
    return uploadPiece(ctx, word);
}

}  // namespace tessel::sim

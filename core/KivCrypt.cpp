// SPDX-License-Identifier: MIT
#include "core/KivCrypt_p.h"

#include <nettle/arctwo.h>
#include <nettle/cbc.h>
#include <nettle/md5.h>

#include <vector>

namespace kivcrypt {

namespace {

enum class KeySetup { Full128, Legacy40Zeroed, Full40 };

void setKey(arctwo_ctx* ctx, std::string_view password, KeySetup setup)
{
    md5_ctx md5;
    md5_init(&md5);
    md5_update(&md5, password.size(), reinterpret_cast<const std::uint8_t*>(password.data()));
    std::uint8_t digest[MD5_DIGEST_SIZE];
    md5_digest(&md5, sizeof digest, digest);
    switch (setup) {
    case KeySetup::Full128: arctwo_set_key_ekb(ctx, sizeof digest, digest, 128); break;
    case KeySetup::Legacy40Zeroed: {
        std::uint8_t key[16] = {};
        std::copy(digest, digest + 5, key);
        arctwo_set_key_ekb(ctx, sizeof key, key, 40);
        break;
    }
    case KeySetup::Full40: arctwo_set_key_ekb(ctx, sizeof digest, digest, 40); break;
    }
}

std::optional<std::string> decryptWith(std::string_view password, std::string_view cipher, KeySetup setup)
{
    if (cipher.empty() || cipher.size() % ARCTWO_BLOCK_SIZE != 0)
        return std::nullopt;
    arctwo_ctx ctx;
    setKey(&ctx, password, setup);
    std::uint8_t iv[ARCTWO_BLOCK_SIZE] = {};
    std::vector<std::uint8_t> plain(cipher.size());
    cbc_decrypt(&ctx, reinterpret_cast<nettle_cipher_func*>(arctwo_decrypt), ARCTWO_BLOCK_SIZE, iv, cipher.size(),
        plain.data(), reinterpret_cast<const std::uint8_t*>(cipher.data()));
    const std::uint8_t pad = plain.back();
    if (pad < 1 || pad > ARCTWO_BLOCK_SIZE)
        return std::nullopt;
    for (std::size_t i = plain.size() - pad; i < plain.size(); ++i)
        if (plain[i] != pad)
            return std::nullopt;
    return std::string(plain.begin(), plain.end() - pad);
}

const char kHex[] = "0123456789abcdef";

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string encrypt(std::string_view password, std::string_view plain)
{
    arctwo_ctx ctx;
    setKey(&ctx, password, KeySetup::Full128);
    const std::size_t pad = ARCTWO_BLOCK_SIZE - plain.size() % ARCTWO_BLOCK_SIZE;
    std::vector<std::uint8_t> block(plain.begin(), plain.end());
    block.insert(block.end(), pad, static_cast<std::uint8_t>(pad));
    std::uint8_t iv[ARCTWO_BLOCK_SIZE] = {};
    std::string out(block.size(), '\0');
    cbc_encrypt(&ctx, reinterpret_cast<nettle_cipher_func*>(arctwo_encrypt), ARCTWO_BLOCK_SIZE, iv, block.size(),
        reinterpret_cast<std::uint8_t*>(out.data()), block.data());
    return out;
}

std::optional<std::string> decrypt(std::string_view password, std::string_view cipher)
{
    for (KeySetup setup : {KeySetup::Full128, KeySetup::Legacy40Zeroed, KeySetup::Full40})
        if (auto plain = decryptWith(password, cipher, setup))
            return plain;
    return std::nullopt;
}

std::string encodeValue(const std::string& cipher)
{
    bool raw = !cipher.empty();
    for (char c : cipher)
        if (c == '\0' || c == '\r' || c == '\n')
            raw = false;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (raw && (blank(cipher.front()) || blank(cipher.back())))
        raw = false;
    if (raw && cipher.size() >= 2 && cipher.front() == '"' && cipher.back() == '"')
        raw = false;
    if (raw)
        return cipher;
    std::string out = "~";
    for (unsigned char c : cipher) {
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
    return out;
}

std::string decodeValue(const std::string& stored)
{
    if (stored.size() % 2 == 0 || stored.front() != '~')
        return stored;
    std::string out;
    for (std::size_t i = 1; i + 1 < stored.size(); i += 2) {
        const int hi = hexDigit(stored[i]), lo = hexDigit(stored[i + 1]);
        if (hi < 0 || lo < 0)
            return stored;
        out += static_cast<char>(hi << 4 | lo);
    }
    return out;
}

} // namespace kivcrypt

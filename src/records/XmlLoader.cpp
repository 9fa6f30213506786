// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/XmlLoader.h"

#include "records/AddressList.h"

namespace quarvelin {

std::string LoadResult::message(const TextCatalogue& catalogue) const {
    const std::string refuse = catalogue.text(TextKey::XmlDocumentRefused);
    std::string reason;
    switch (failure) {
    case LoadFailure::None:
        return {};
    case LoadFailure::NotAnAddress:
        return catalogue.text(TextKey::NotAnAddress);
    case LoadFailure::Refuse:
        return refuse + "\n" + address;
    case LoadFailure::Delay:
    case LoadFailure::NoMoves:
        return refuse + catalogue.text(TextKey::NothingReadable) + "\n" + address;
    case LoadFailure::Http:
        reason = catalogue.text(TextKey::ServerError) + std::to_string(httpStatus);
        if (!detail.empty()) reason += " " + detail;
        break;
    case LoadFailure::UnknownHost:
        reason = catalogue.text(TextKey::ServerNotFound) + detail;
        break;
    case LoadFailure::ConnectionRefused:
        reason = catalogue.text(TextKey::ConnectionRefused);
        break;
    case LoadFailure::Security:
        reason = catalogue.text(TextKey::SecureConnectionFailed);
        break;
    case LoadFailure::Network:
        reason = catalogue.text(TextKey::TransferError) + detail;
        break;
    case LoadFailure::Malformed:
        reason = catalogue.text(TextKey::XmlNotWellFormed) + std::to_string(line) +
                 catalogue.text(TextKey::ColumnSeparator) + std::to_string(column);
        break;
    case LoadFailure::TooLarge:
        reason = catalogue.text(TextKey::DocumentTooLarge);
        break;
    case LoadFailure::MissingFile:
        reason = catalogue.text(TextKey::FileNotFound);
        break;
    case LoadFailure::UnreadableFile:
        reason = catalogue.text(TextKey::FileUnreadable) + detail;
        break;
    }
    return refuse + "\n" + reason + "\n" + address;
}

bool XmlLoader::load(const std::string& text, End end) {
    resign();
    const std::string address = addressOfLine(text);
    if (address.empty()) {
        LoadResult r;
        r.address = text;
        r.failure = LoadFailure::NotAnAddress;
        end(r);
        return false;
    }
    return fetcher_.fetch(address, [end = std::move(end)](const FetchedDocument& d) {
        LoadResult r;
        r.failure = d.failure;
        r.address = d.address;
        r.httpStatus = d.httpStatus;
        r.detail = d.detail;
        if (r.succeeded()) {
            const XmlReading reading = readXmlDocument(d.body);
            if (!reading.wellFormed) {
                r.failure = LoadFailure::Malformed;
                r.line = reading.line;
                r.column = reading.column;
            } else if (!reading.readable()) {
                r.failure = LoadFailure::NoMoves;
            } else {
                r.game = reading.game;
                r.result = gameResult(reading.game);
            }
        }
        end(r);
    });
}

} // namespace quarvelin

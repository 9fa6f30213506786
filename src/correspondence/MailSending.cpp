// SPDX-License-Identifier: GPL-3.0-or-later
#include "correspondence/MailSending.h"

namespace quarvelin {

DispatchOutcome sendAndRecord(MailService& mail, CorrespondenceStore& store, const Dispatch& d,
                              const std::function<bool()>& confirmSent) {
    DispatchOutcome out;
    if (d.message.to.trimmed().isEmpty()) return out;
    if (d.message.from.trimmed().isEmpty()) {
        out.problem = TextKey::SenderAddressMissing;
        return out;
    }
    if (d.kind == MailKind::Move && !d.move.ok) {
        out.problem = d.move.problem;
        return out;
    }
    const MailOutcome m = mail.send(d.message);
    out.error = m.error;
    out.sent = m.sent || (m.handedOver && confirmSent && confirmSent());
    if (!out.sent || d.kind != MailKind::Move) return out;
    out.recorded = store.recordSent(d.cle, QString::fromStdString(d.move.moves), d.today,
                                    QString::fromStdString(d.move.move));
    if (!out.recorded) out.error = store.lastError();
    return out;
}

} // namespace quarvelin

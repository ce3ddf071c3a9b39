#pragma once

#include "core/base/language.h"
#include "core/doc/backup_store.h"
#include "core/fleet/radio_steps.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// Each radio of a fleet gets the safe write: a before-write backup (unless turned off), the
/// write, and the read-back that verifies it. No one is asked anything: a radio whose check
/// fails is reported, never counted as verified.
class SafeWriteSteps final : public RadioSteps {
public:
    /// @p backups must outlive the steps.
    SafeWriteSteps(const RadioImage& image, const BackupStore& backups, bool backup,
                   Language language);

    RadioOutcome Program(PortOpener& opener, LinkSession& session,
                         RadioStepObserver& observer) const override;

private:
    RadioImage m_image;
    const BackupStore& m_backups;
    bool m_backup;
    Language m_language;
};

}  // namespace radioprog

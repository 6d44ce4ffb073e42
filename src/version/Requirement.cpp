#include "launcher/JavaLauncher.h"

namespace {
const char kLatestVersion[] = "latest version";
const char kMaximumVersion[] = "maximum %s";
const char kMinimumVersion[] = "minimum %s";
const char kExactVersion[] = "version %s is required";
const char kVersionRange[] = "between %s and %s";
} // namespace

// The accepted range in words, for the message that asks the user to install
// a runtime. A bound that imposes nothing is not mentioned.
CString CJavaLauncher::DescribeRequirement() const
{
    CString text;
    bool lowerBounded = !m_minVersion.IsUnbounded();
    bool upperBounded = !m_maxVersion.IsUnbounded();
    if (!lowerBounded && !upperBounded)
        text = kLatestVersion;
    else if (!lowerBounded)
        text.Format(kMaximumVersion, m_maxVersion.ToText().GetText());
    else if (!upperBounded)
        text.Format(kMinimumVersion, m_minVersion.ToText().GetText());
    else if (m_minVersion == m_maxVersion)
        text.Format(kExactVersion, m_minVersion.ToText().GetText());
    else
        text.Format(kVersionRange, m_minVersion.ToText().GetText(), m_maxVersion.ToText().GetText());
    return text;
}

#pragma once

#include <QString>

// File dialog filters are written in the language files as "Description|*.ext|Description|*.ext".
namespace DialogFilter {

/// "Parameter Datas (*.vkr)|*.vkr|All Files (*.*)|*.*" -> "Parameter Datas (*.vkr);;All Files (*.*)".
/// A description without a pattern in parentheses gets its pattern appended.
QString toQt(const QString &filter);
/// The Qt form of entry `index` (0-based), or empty.
QString entry(const QString &filter, int index);

}  // namespace DialogFilter

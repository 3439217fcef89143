#!/usr/bin/env bash
# The house-style checks themselves: each must refuse a line that breaks its
# rule, or a drifting tree would pass unnoticed.
set -euo pipefail
top=${1:?repository top}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# A misformatted line.
printf 'int  Twice( int x ) {return 2*x;}\n' >"$work/Misformatted.cpp"
if "$top/tools/check-format.sh" "$work/Misformatted.cpp" >/dev/null 2>&1; then
  echo "FAIL: the format check passed a misformatted file"
  failed=1
fi
# The same code, formatted, passes.
clang-format-16 --style="file:$top/.clang-format" "$work/Misformatted.cpp" >"$work/Formatted.cpp"
if ! "$top/tools/check-format.sh" "$work/Formatted.cpp" >/dev/null 2>&1; then
  echo "FAIL: the format check refused a formatted file"
  failed=1
fi

# A member named the old way, and a class named in lower case.
cat >"$work/Misnamed.cpp" <<'CPP'
class CCounter {
public:
    int Get() const { return m_count; }

private:
    int m_count = 0;
};
class counter2 { };
CPP
out=$(clang-tidy-16 --config-file="$top/.clang-tidy" "$work/Misnamed.cpp" -- -std=c++20 2>&1 || true)
for name in m_count counter2; do
  if ! grep -q "invalid case style for .*'$name'" <<<"$out"; then
    echo "FAIL: the naming check did not name '$name'"
    failed=1
  fi
done
cat >"$work/Named.cpp" <<'CPP'
class CCounter {
public:
    int Get() const { return count_; }

private:
    int count_ = 0;
};
CPP
if ! clang-tidy-16 --config-file="$top/.clang-tidy" "$work/Named.cpp" -- -std=c++20 >/dev/null 2>&1; then
  echo "FAIL: the naming check refused a well-named member"
  failed=1
fi

if ((failed)); then exit 1; fi
echo "The checks refuse a misformatted line and misnamed names."

# SPDX-FileCopyrightText: 2026 Tolvaren developers
# SPDX-License-Identifier: MIT

# cmake -DFROM=seeds -DTO=work -P copycorpus.cmake
# Replaces the working corpus with the seeds kept in the source tree.
file(REMOVE_RECURSE "${TO}")
file(MAKE_DIRECTORY "${TO}")
file(GLOB seeds "${FROM}/*")
file(COPY ${seeds} DESTINATION "${TO}")

# One place for how our own code is compiled: the warnings every target gets,
# Qt's stricter string and connection rules, and the two options CI turns on
# (-Werror, and AddressSanitizer with UndefinedBehaviorSanitizer for the tests
# of the parts without windows). Every target of ours links
# lorvane_build_options (the top-level CMakeLists adds it to all of them).
option(LORVANE_WERROR "Treat compiler warnings as errors" OFF)
option(LORVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_library(lorvane_build_options INTERFACE)
target_compile_options(lorvane_build_options INTERFACE
    -Wall -Wextra -Wpedantic
    -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual
    -Wcast-qual -Wformat=2 -Wimplicit-fallthrough -Wmissing-declarations
    $<$<BOOL:${LORVANE_WERROR}>:-Werror>)
target_compile_definitions(lorvane_build_options INTERFACE
    # No silent conversions between QString and 8-bit text: every such
    # conversion in this code names its encoding.
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)
if(LORVANE_SANITIZE)
    target_compile_options(lorvane_build_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(lorvane_build_options INTERFACE -fsanitize=address,undefined)
endif()

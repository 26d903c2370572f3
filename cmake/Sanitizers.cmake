# KOVRA_SANITIZE=ON builds everything with AddressSanitizer (which includes
# LeakSanitizer on Linux) and UndefinedBehaviorSanitizer.  Faults abort the
# test instead of printing and going on.
option(KOVRA_SANITIZE "Build with ASan and UBSan" OFF)
if(KOVRA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

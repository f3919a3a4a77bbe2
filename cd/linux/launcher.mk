# The disc's Linux launcher, made inside the Debian 11 root by
# tools/build_disc_launcher.sh: the host launcher and its desktop presenter
# module, built from the same sources as the host preset, linked so that they
# need nothing but glibc and the X client libraries.
#
#   make -f launcher.mk SRC=DIR OUT=DIR RES=FILE SDL_PREFIX=DIR [-j2]
#
# SRC is the source tree, OUT the build folder, RES the compiled launcher.res
# (made by the host build: it is the same bytes everywhere), SDL_PREFIX where
# the X11-only static SDL2 is installed.

ifeq ($(and $(SRC),$(OUT),$(RES),$(SDL_PREFIX)),)
$(error SRC, OUT, RES and SDL_PREFIX are required)
endif

HOST := $(SRC)/platform/host
# Every host room but the desktop presenter, which is the module.
CORE_SOURCES := $(shell find $(HOST) -name '*.cpp' -not -path '$(HOST)/present/sdl/*' | sort) \
                $(wildcard $(SRC)/platform/*.cpp $(SRC)/app/*.cpp $(SRC)/launcher/*.cpp)
SDL_SOURCES := $(wildcard $(HOST)/present/sdl/*.cpp)

obj = $(patsubst $(SRC)/%.cpp,$(OUT)/obj/%.o,$(1))
CORE_OBJECTS := $(call obj,$(CORE_SOURCES)) $(OUT)/obj/res_embed.o
SDL_OBJECTS := $(call obj,$(SDL_SOURCES))

comma := ,
PKG := PKG_CONFIG_PATH=$(SDL_PREFIX)/lib/pkgconfig pkg-config
# glibc's own libraries stay shared; every other library named by
# pkg-config --static is taken from its static archive.
static_libs = $(foreach l,$(1),$(if $(filter -lm -ldl -lpthread -lrt -lc,$(l)),$(l),$(if $(filter -l%,$(l)),-l:lib$(patsubst -l%,%,$(l)).a,$(l))))

CXXFLAGS := -std=c++20 -O2 -DNDEBUG -Wall -Wextra -Wno-unused-parameter -fPIC \
            -I$(SRC) -I$(HOST) $(shell $(PKG) --cflags freetype2 fontconfig sdl2 x11)
# One copy of libstdc++ and libgcc in each binary, and the static libraries'
# symbols kept to themselves: the executable exports only the host layer,
# which the module takes from it.
LDFLAGS := -static-libstdc++ -static-libgcc -Wl,--exclude-libs,ALL -Wl,--as-needed -s
CORE_LIBS := $(call static_libs,$(shell $(PKG) --static --libs fontconfig freetype2)) -ldl -lpthread
# The module takes the host layer from the executable that loads it: sdl2.pc's
# --no-undefined is left out.
SDL_LIBS := $(call static_libs,$(filter-out -Wl$(comma)--no-undefined,$(shell $(PKG) --static --libs sdl2))) -lX11

all: $(OUT)/OrvaneCD $(OUT)/liborvane_sdl.so

$(OUT)/OrvaneCD: $(CORE_OBJECTS)
	$(CXX) -rdynamic $(LDFLAGS) -o $@ $^ $(CORE_LIBS) -Wl,--trace >$@.trace

$(OUT)/liborvane_sdl.so: $(SDL_OBJECTS)
	$(CXX) -shared $(LDFLAGS) -o $@ $^ $(SDL_LIBS) -Wl,--trace >$@.trace

$(OUT)/obj/%.o: $(SRC)/%.cpp
	@mkdir -p $(dir $@)
	$(CXX) $(CXXFLAGS) -MMD -MP -c -o $@ $<

$(OUT)/obj/res_embed.o: $(SRC)/cmake/res_embed.S.in $(RES)
	@mkdir -p $(dir $@)
	sed 's|@ORVANE_EMBED_RES@|$(RES)|' $< >$(OUT)/obj/res_embed.S
	$(CC) -c -o $@ $(OUT)/obj/res_embed.S

# The linker's trace names every archive taken, for the licence notices.
-include $(CORE_OBJECTS:.o=.d) $(SDL_OBJECTS:.o=.d)

.PHONY: all

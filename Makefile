# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=
CTEST_FLAGS ?=
PREFIX ?= /usr/local

# CI builds the project's own code with warnings as errors.
ifeq ($(CI),true)
  CMAKE_FLAGS += -DKURVIO_WERROR=ON
endif

.PHONY: all build test run install package bootstrap configure clean FORCE

all: build

# The fuzzing compiler is installed only where fuzzing is built.
bootstrap:
	@bash tools/bootstrap $(if $(findstring KURVIO_FUZZ=ON,$(CMAKE_FLAGS)),--fuzz)

# The flags of the last configuration; a change configures afresh, so that a flag
# dropped from CMAKE_FLAGS does not linger in the cache.
$(BUILD)/cmake-flags: FORCE
	@mkdir -p $(BUILD)
	@echo '$(strip $(CMAKE_FLAGS))' | cmp -s - $@ || echo '$(strip $(CMAKE_FLAGS))' > $@

$(BUILD)/build.ninja: $(BUILD)/cmake-flags
	cmake --fresh -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: bootstrap $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

# Every test has a time limit (its own, or this default), so a hang fails fast.
test: build
	cd $(BUILD) && ctest --output-on-failure -j2 --timeout 300 $(CTEST_FLAGS)

run: build
	./$(BUILD)/kurvio

# kurvio_<version>_<arch>.deb in the build folder, for `apt install ./kurvio_….deb`.
package: build
	cd $(BUILD) && cpack

# DESTDIR in the environment or on the command line stages the files below it.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)

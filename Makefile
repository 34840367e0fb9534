# The two commands of the README: `make run` and `make test`.
BUILD ?= build
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: all build test run install bootstrap configure clean

all: build

bootstrap:
	@bash tools/bootstrap

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: bootstrap $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

run: build
	./$(BUILD)/kurvio

# DESTDIR in the environment or on the command line stages the files below it.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)

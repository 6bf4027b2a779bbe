BUILD := build
WINDOWS_BUILD := build-windows
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: setup build run test bench package format-check clean \
	windows-toolchain windows windows-test

setup:
	./scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/kestrafo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

package: build
	cmake --build $(BUILD) --target package

bench: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/kestrafo-bench
	./$(BUILD)/kestrafo-review-bench

# The Windows programs, cross-compiled against a static Qt that the toolchain
# script makes once per machine; the installer and the portable zip go to
# dist/.
windows-toolchain:
	./scripts/windows-toolchain.sh

windows: windows-toolchain
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE="$$(./scripts/windows-toolchain.sh --toolchain-file)" \
		-DKESTRAFO_LINUX_PROGRAM=$(CURDIR)/$(BUILD)/kestrafo
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target all windows-installer

# The Windows tests run under Wine; one of them compares the installed
# program's files with those of the Linux build.
windows-test: build windows
	cd $(WINDOWS_BUILD) && ctest -L windows --output-on-failure -j $(JOBS)

format-check:
	./scripts/format-check.sh

clean:
	rm -rf $(BUILD) $(WINDOWS_BUILD) dist

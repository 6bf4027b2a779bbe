BUILD := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: setup build run test bench package format-check clean

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

format-check:
	./scripts/format-check.sh

clean:
	rm -rf $(BUILD)

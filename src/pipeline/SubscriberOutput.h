#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What became of one text sent to the subscribers.
enum class SubscriberDelivery
{
  Taken,     // at least one subscriber took it
  NoneLeft,  // none took it and none is left (each had gone): the caller types it
  NotTaken,  // subscribers remain, but none took it (each hung or did not answer in time)
};

// The subscriber list as the pipeline sees it. The subscriber protocol implements it with real
// windows; tests record the deliveries.
class SubscriberOutput
{
public:
  virtual ~SubscriberOutput() = default;

  virtual size_t subscriberCount() const = 0;
  // Removes the subscribers whose windows no longer exist, so that a program that ended without
  // unsubscribing does not keep the output from the keyboard.
  virtual void removeVanishedSubscribers() = 0;
  // Sends the text (up to its first zero byte) to every subscriber in list order; a failed send
  // does not stop the others. A subscriber whose window turns out to be gone is removed.
  virtual SubscriberDelivery deliverToSubscribers(const std::string& strText) = 0;
  // The titles of the subscribers whose windows still exist, in list order.
  virtual std::vector<std::string> subscriberTitles() const = 0;
};
